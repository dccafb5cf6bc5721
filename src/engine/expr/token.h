#pragma once
// Tokens of the expression and statement language. Keywords are plain identifiers;
// the parser compares them without regard to case.
#include <string>
#include <string_view>
#include <vector>

namespace trevo::engine::expr {

enum class TokenKind {
    Identifier,   // NAME, Alias, SELECT
    DoubleQuoted, // "text": a column when one of that name is in scope, else a text
    SingleQuoted, // 'text'
    Number,       // 12, 1.5, .5
    Symbol,       // ( ) , . * + - / = <> != < <= > >= ; ||
    End,
};

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;   // identifier/symbol as written; quoted texts without quotes, '' undoubled
    std::string source; // the token exactly as written (for error messages)
    double number = 0;
    int line = 1;
    int column = 1;
    size_t offset = 0;

    bool is(TokenKind k) const { return kind == k; }
    bool isSymbol(std::string_view s) const { return kind == TokenKind::Symbol && text == s; }
    // Identifier equal to the keyword without regard to case (kw given in upper case).
    bool isKeyword(std::string_view kw) const;
};

// Splits a text into tokens, ending with one End token. Comments (-- to end of line
// and /* ... */) are skipped. Throws SqlError on an unterminated quote or a stray character.
std::vector<Token> tokenize(std::string_view text);

// ASCII upper case, used for keywords and identifiers.
std::string upperAscii(std::string_view s);
bool equalsNoCase(std::string_view a, std::string_view b);

// True when the text could be written as a bare identifier (NAME, Vorname_2, Größe):
// only such a lone double-quoted text can name a column; any other ("Mei%", "7",
// "O'Brien") is always a text.
bool isPlainName(std::string_view text);

// Names of tables, aliases and columns never hold a control character (NUL, line
// feed, ...): a NUL would cut a file name short. Throws SqlError naming the character.
void checkNameCharacters(std::string_view name, int line);

} // namespace trevo::engine::expr
