#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillax {

// A JSON text that failed to read: where (a byte offset into it) and why.
struct JsonError {
    size_t Offset;
    std::string Reason;
};

// "line 3, column 14": where a byte offset lies in a text, lines and columns counted from 1, a column a
// character of UTF-8.
std::string PlaceInText(std::string_view text, size_t offset);

// Reads a JSON text a token at a time, as RFC 8259 spells it, skipping white space before each token.
// Every failure throws a JsonError at the place it was found.
class JsonCursor {
public:
    explicit JsonCursor(std::string_view text) : Text(text) {}

    // The next token's first character, '\0' at the end.
    char Peek();
    // Takes c when it comes next.
    bool Take(char c);
    // Takes c, or fails: "expected what".
    void Expect(char c, const char* what);
    // A string, its escapes decoded (UTF-8; a lone surrogate becomes U+FFFD).
    std::string String();
    // The text of a number, checked against the grammar: no sign but -, no leading zero, no bare dot.
    std::string_view Number();
    // Passes over any value, nested at most MaxDepth deep.
    void SkipValue();
    // Nothing but white space is left.
    void End();
    // Where the next token starts.
    size_t Start();
    [[noreturn]] void Fail(const std::string& reason) const { FailAt(At, reason); }
    [[noreturn]] static void FailAt(size_t offset, const std::string& reason) {
        throw JsonError{offset, reason};
    }

    static constexpr int MaxDepth = 64;

private:
    void SkipSpace();
    void SkipValue(int depth);
    void Literal(std::string_view word);
    void AppendEscape(std::string& out);
    unsigned Hex4();
    size_t Digits();

    std::string_view Text;
    size_t At = 0;
};

} // namespace quillax
