#include "objectjson/JsonCursor.h"

namespace quillax {

namespace {
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

void AppendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool IsHighSurrogate(unsigned code) {
    return code >= 0xD800 && code <= 0xDBFF;
}

bool IsLowSurrogate(unsigned code) {
    return code >= 0xDC00 && code <= 0xDFFF;
}
} // namespace

std::string PlaceInText(std::string_view text, size_t offset) {
    size_t line = 1;
    size_t column = 1;
    for (size_t k = 0; k < offset && k < text.size(); ++k) {
        if (text[k] == '\n') {
            ++line;
            column = 1;
        } else if ((static_cast<unsigned char>(text[k]) & 0xC0) != 0x80) {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

void JsonCursor::SkipSpace() {
    while (At < Text.size() &&
           (Text[At] == ' ' || Text[At] == '\n' || Text[At] == '\t' || Text[At] == '\r')) {
        ++At;
    }
}

size_t JsonCursor::Start() {
    SkipSpace();
    return At;
}

char JsonCursor::Peek() {
    SkipSpace();
    return At < Text.size() ? Text[At] : '\0';
}

bool JsonCursor::Take(char c) {
    if (Peek() != c) {
        return false;
    }
    ++At;
    return true;
}

void JsonCursor::Expect(char c, const char* what) {
    if (!Take(c)) {
        Fail(std::string("expected ") + what);
    }
}

unsigned JsonCursor::Hex4() {
    unsigned code = 0;
    for (int k = 0; k < 4; ++k, ++At) {
        const char c = At < Text.size() ? Text[At] : '\0';
        const int digit = IsDigit(c)                               ? c - '0'
                          : (c | 0x20) >= 'a' && (c | 0x20) <= 'f' ? (c | 0x20) - 'a' + 10
                                                                   : -1;
        if (digit < 0) {
            Fail("expected four hexadecimal digits after \\u");
        }
        code = code << 4 | static_cast<unsigned>(digit);
    }
    return code;
}

void JsonCursor::AppendEscape(std::string& out) {
    const char c = At < Text.size() ? Text[At++] : '\0';
    switch (c) {
    case '"':
    case '\\':
    case '/':
        out += c;
        return;
    case 'b':
        out += '\b';
        return;
    case 'f':
        out += '\f';
        return;
    case 'n':
        out += '\n';
        return;
    case 'r':
        out += '\r';
        return;
    case 't':
        out += '\t';
        return;
    case 'u':
        break;
    default:
        FailAt(At - 1, "not an escape of JSON: \\" + std::string(1, c));
    }
    unsigned code = Hex4();
    if (IsHighSurrogate(code) && Text.substr(At, 2) == "\\u") {
        const size_t back = At;
        At += 2;
        const unsigned low = Hex4();
        if (IsLowSurrogate(low)) {
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        } else {
            At = back;
        }
    }
    AppendUtf8(out, IsHighSurrogate(code) || IsLowSurrogate(code) ? 0xFFFD : code);
}

std::string JsonCursor::String() {
    Expect('"', "a string");
    std::string out;
    for (;;) {
        if (At >= Text.size()) {
            Fail("the text ends inside a string");
        }
        const char c = Text[At++];
        if (c == '"') {
            return out;
        }
        if (static_cast<unsigned char>(c) < 0x20) {
            FailAt(At - 1, "a control character inside a string (write it as an escape)");
        }
        if (c == '\\') {
            AppendEscape(out);
        } else {
            out += c;
        }
    }
}

size_t JsonCursor::Digits() {
    const size_t start = At;
    while (At < Text.size() && IsDigit(Text[At])) {
        ++At;
    }
    return At - start;
}

std::string_view JsonCursor::Number() {
    SkipSpace();
    const size_t start = At;
    At += At < Text.size() && Text[At] == '-' ? 1 : 0;
    const size_t whole = At;
    if (Digits() == 0) {
        FailAt(start, "expected a number");
    }
    if (At - whole > 1 && Text[whole] == '0') {
        FailAt(start, "a number of JSON has no leading zero");
    }
    if (At < Text.size() && Text[At] == '.') {
        ++At;
        if (Digits() == 0) {
            Fail("expected a digit after the decimal point");
        }
    }
    if (At < Text.size() && (Text[At] == 'e' || Text[At] == 'E')) {
        ++At;
        At += At < Text.size() && (Text[At] == '+' || Text[At] == '-') ? 1 : 0;
        if (Digits() == 0) {
            Fail("expected a digit in the exponent");
        }
    }
    return Text.substr(start, At - start);
}

void JsonCursor::Literal(std::string_view word) {
    if (Text.substr(At, word.size()) != word) {
        Fail("expected a value");
    }
    At += word.size();
}

void JsonCursor::SkipValue() {
    SkipValue(0);
}

void JsonCursor::SkipValue(int depth) {
    if (depth >= MaxDepth) {
        Fail("nested more than " + std::to_string(MaxDepth) + " deep");
    }
    const char c = Peek();
    const bool object = c == '{';
    if (c == '"') {
        String();
    } else if (object || c == '[') {
        ++At;
        if (Take(object ? '}' : ']')) {
            return;
        }
        do {
            if (object) {
                String();
                Expect(':', "a colon after the member's name");
            }
            SkipValue(depth + 1);
        } while (Take(','));
        Expect(object ? '}' : ']', object ? "a comma or }" : "a comma or ]");
    } else if (c == 't' || c == 'f' || c == 'n') {
        Literal(c == 't' ? "true" : c == 'f' ? "false" : "null");
    } else {
        Number();
    }
}

void JsonCursor::End() {
    if (Peek() != '\0' || At < Text.size()) {
        Fail("more after the object's end");
    }
}

} // namespace quillax
