#pragma once
// Conditions as the planner sees them: conjuncts with the tables they read, ORs of
// conjunctions with their common terms factored out, and equalities between columns
// and with constants, from which further equalities follow.
#include "engine/expr/ast.h"

#include <cstdint>
#include <string>
#include <vector>

namespace trevo::engine::sql {

using expr::Node;
using expr::NodePtr;

using TableMask = uint64_t;
TableMask tableMask(const Node& n);
inline TableMask bit(int slot) { return TableMask(1) << slot; }

// A text that is equal for two conditions exactly when they are the same condition
// (columns by table and field; literals by their place in the statement text).
std::string canonicalKey(const Node& n);

// Moves the conjuncts of an AND tree into out.
void splitConjuncts(NodePtr root, std::vector<NodePtr>& out);
// Pointers to the conjuncts of an AND tree.
void listConjuncts(const Node& root, std::vector<const Node*>& out);
// Pointers to the disjuncts of an OR tree.
void listDisjuncts(const Node& root, std::vector<const Node*>& out);

// (A AND X) OR (A AND Y) becomes A and (X OR Y): the common terms are moved to
// `common`; returns the remaining OR, or null when a disjunct became empty (TRUE).
NodePtr factorOr(NodePtr orNode, std::vector<NodePtr>& common);

// column = column of the same type (both bare columns).
bool columnEquality(const Node& n, const Node*& a, const Node*& b);
// column = constant (bare column); the constant side is the column's type.
bool constantEquality(const Node& n, const Node*& column, const Node*& constant);

NodePtr columnNode(const Node& like);
NodePtr equalityNode(const Node& column, const Node& other);

} // namespace trevo::engine::sql
