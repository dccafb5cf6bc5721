#include "engine/expr/token.h"

#include "engine/expr/error.h"

#include <cmath>
#include <cstdlib>

namespace trevo::engine::expr {

std::string upperAscii(std::string_view s)
{
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return r;
}

bool equalsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
        if (x != y) return false;
    }
    return true;
}

void checkNameCharacters(std::string_view name, int line)
{
    for (char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x20 && c != 0x7F) continue;
        static const char hex[] = "0123456789ABCDEF";
        const std::string code = std::string("0x") + hex[c >> 4] + hex[c & 15];
        throw SqlError("Der Name enthält das Steuerzeichen " + code + " (Zeile " + std::to_string(line) + ")");
    }
}

bool Token::isKeyword(std::string_view kw) const
{
    return kind == TokenKind::Identifier && equalsNoCase(text, kw);
}

namespace {

bool isIdentStart(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
}
bool isIdentPart(unsigned char c) { return isIdentStart(c) || (c >= '0' && c <= '9') || c == '$' || c == '#'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

class Lexer {
public:
    explicit Lexer(std::string_view s) : s_(s) {}

    std::vector<Token> run()
    {
        std::vector<Token> out;
        for (;;) {
            skipSpaceAndComments();
            Token t;
            t.line = line_;
            t.column = static_cast<int>(pos_ - lineStart_) + 1;
            t.offset = pos_;
            if (pos_ >= s_.size()) {
                t.kind = TokenKind::End;
                out.push_back(std::move(t));
                return out;
            }
            lexOne(t);
            t.source = std::string(s_.substr(t.offset, pos_ - t.offset));
            out.push_back(std::move(t));
        }
    }

private:
    void skipSpaceAndComments()
    {
        while (pos_ < s_.size()) {
            char c = s_[pos_];
            if (c == '\n') {
                ++pos_;
                ++line_;
                lineStart_ = pos_;
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
                ++pos_;
            } else if (c == '-' && peek(1) == '-') {
                while (pos_ < s_.size() && s_[pos_] != '\n') ++pos_;
            } else if (c == '/' && peek(1) == '*') {
                pos_ += 2;
                while (pos_ < s_.size() && !(s_[pos_] == '*' && peek(1) == '/')) {
                    if (s_[pos_] == '\n') {
                        ++line_;
                        lineStart_ = pos_ + 1;
                    }
                    ++pos_;
                }
                pos_ = pos_ < s_.size() ? pos_ + 2 : pos_;
            } else {
                return;
            }
        }
    }

    char peek(size_t k) const { return pos_ + k < s_.size() ? s_[pos_ + k] : '\0'; }

    void lexOne(Token& t)
    {
        const char c = s_[pos_];
        if (c == '\'' || c == '"') return lexQuoted(t, c);
        if (isDigit(c) || (c == '.' && isDigit(peek(1)))) return lexNumber(t);
        if (isIdentStart(static_cast<unsigned char>(c))) {
            size_t b = pos_;
            while (pos_ < s_.size() && isIdentPart(static_cast<unsigned char>(s_[pos_]))) ++pos_;
            t.kind = TokenKind::Identifier;
            t.text = std::string(s_.substr(b, pos_ - b));
            return;
        }
        lexSymbol(t);
    }

    void lexQuoted(Token& t, char q)
    {
        t.kind = q == '\'' ? TokenKind::SingleQuoted : TokenKind::DoubleQuoted;
        ++pos_;
        for (;;) {
            if (pos_ >= s_.size()) {
                Token at = t;
                at.source = std::string(s_.substr(t.offset, 20));
                errorAt(at, "Nicht abgeschlossene Zeichenkette " + at.source);
            }
            char c = s_[pos_];
            if (c == q) {
                if (peek(1) == q) {
                    t.text += q;
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                return;
            }
            if (c == '\n') {
                ++line_;
                lineStart_ = pos_ + 1;
            }
            t.text += c;
            ++pos_;
        }
    }

    void lexNumber(Token& t)
    {
        size_t b = pos_;
        while (isDigit(peek(0))) ++pos_;
        if (peek(0) == '.' && isDigit(peek(1))) {
            ++pos_;
            while (isDigit(peek(0))) ++pos_;
        } else if (peek(0) == '.' && !isIdentStart(static_cast<unsigned char>(peek(1))) && peek(1) != '"') {
            ++pos_; // "1." is a number
        }
        if ((peek(0) == 'e' || peek(0) == 'E') &&
            (isDigit(peek(1)) || ((peek(1) == '+' || peek(1) == '-') && isDigit(peek(2))))) {
            pos_ += 2;
            while (isDigit(peek(0))) ++pos_;
        }
        t.kind = TokenKind::Number;
        t.text = std::string(s_.substr(b, pos_ - b));
        t.number = std::strtod(t.text.c_str(), nullptr);
        if (!std::isfinite(t.number)) {
            Token at = t;
            at.source = t.text.size() > 20 ? t.text.substr(0, 20) + "..." : t.text;
            errorAt(at, "Die Zahl " + at.source + " ist zu groß");
        }
    }

    void lexSymbol(Token& t)
    {
        static constexpr std::string_view two[] = {"<>", "!=", "<=", ">=", "||", "=="};
        t.kind = TokenKind::Symbol;
        for (std::string_view s : two) {
            if (s_[pos_] == s[0] && peek(1) == s[1]) {
                t.text = std::string(s_.substr(pos_, 2));
                pos_ += 2;
                return;
            }
        }
        const char c = s_[pos_];
        static const std::string_view one = "(),.*+-/=<>;";
        if (one.find(c) == std::string_view::npos) {
            Token at = t;
            at.kind = TokenKind::Symbol;
            at.source = std::string(1, c);
            syntaxError(at);
        }
        t.text = std::string(s_.substr(pos_, 1));
        ++pos_;
    }

    std::string_view s_;
    size_t pos_ = 0;
    int line_ = 1;
    size_t lineStart_ = 0;
};

} // namespace

std::vector<Token> tokenize(std::string_view text) { return Lexer(text).run(); }

bool isPlainName(std::string_view text)
{
    if (text.empty() || !isIdentStart(static_cast<unsigned char>(text[0]))) return false;
    for (char c : text)
        if (!isIdentPart(static_cast<unsigned char>(c))) return false;
    return true;
}

void syntaxError(const Token& at)
{
    if (at.kind == TokenKind::End)
        throw SqlError("Syntaxfehler in Zeile " + std::to_string(at.line) + " am Ende des Textes");
    throw SqlError("Syntaxfehler in Zeile " + std::to_string(at.line) + " bei '" + at.source + "'");
}

void errorAt(const Token& at, const std::string& what)
{
    throw SqlError(what + " in Zeile " + std::to_string(at.line));
}

} // namespace trevo::engine::expr
