// Every GBK text written as byte escapes must read, once decoded, as the comment beside it.
#include "platform/qt/gbk.h"

#include <gtest/gtest.h>

#include <QString>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

// What one source line says: the bytes of its escaped text and the readable text of its comment.
struct EscapedText {
    std::string bytes;    // the literal as the compiler builds it, adjacent pieces joined
    std::string comment;  // UTF-8, after "// ", with the two-character escapes \r and \n made CR and LF
    std::string error;    // non-empty when the line cannot be read as one text and its comment
};

// A run of adjacent string literals: their bytes, whether any piece used a \x escape, and why it is unreadable.
struct LiteralRun {
    std::string bytes;
    bool hasHexEscape = false;
    std::string error;
};

bool IsIdentifierChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

// The value of a hex digit, or nothing.
std::optional<unsigned> HexValue(char c)
{
    if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
    if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
    return std::nullopt;
}

// Reads one escape sequence after its backslash, as C++ does: \x takes every hex digit that follows.
// Sets hex for a \x escape, also a broken one; returns an error message, empty when the escape is good.
std::string ReadEscape(std::string_view line, std::size_t& pos, std::string& out, bool& hex)
{
    if (pos >= line.size()) return "backslash at end of line";
    const char c = line[pos++];
    switch (c) {
    case 'n': out += '\n'; return {};
    case 'r': out += '\r'; return {};
    case 't': out += '\t'; return {};
    case '\\': out += '\\'; return {};
    case '"': out += '"'; return {};
    case '\'': out += '\''; return {};
    case '?': out += '?'; return {};
    case 'a': out += '\a'; return {};
    case 'b': out += '\b'; return {};
    case 'f': out += '\f'; return {};
    case 'v': out += '\v'; return {};
    case 'x': {
        hex = true;
        unsigned value = 0;
        std::size_t digits = 0;
        for (; pos < line.size() && HexValue(line[pos]); ++pos, ++digits) value = value * 16 + *HexValue(line[pos]);
        if (digits == 0) return "\\x without hex digits";
        if (digits > 2) return "\\x escape runs into a following hex digit; split the literal there";
        out += static_cast<char>(static_cast<unsigned char>(value));
        return {};
    }
    default:
        if (c >= '0' && c <= '7') {
            unsigned value = static_cast<unsigned>(c - '0');
            for (int i = 0; i < 2 && pos < line.size() && line[pos] >= '0' && line[pos] <= '7'; ++i)
                value = value * 8 + static_cast<unsigned>(line[pos++] - '0');
            if (value > 0xFF) return "octal escape above \\377";
            out += static_cast<char>(static_cast<unsigned char>(value));
            return {};
        }
        return std::string("escape \\") + c + " is not a byte";
    }
}

// Reads one source line: its runs of adjacent plain string literals and its trailing // comment.
// Returns nothing for a line with no \x escaped text or no comment; those are not GBK text lines.
std::optional<EscapedText> ScanLine(std::string_view line)
{
    std::vector<LiteralRun> runs;
    bool runOpen = false;  // the last token was a plain string literal
    std::optional<std::string_view> comment;

    std::size_t pos = 0;
    while (pos < line.size() && !comment) {
        const char c = line[pos];
        if (c == '/' && pos + 1 < line.size() && line[pos + 1] == '/') {
            comment = line.substr(pos + 2);
        } else if (c == '/' && pos + 1 < line.size() && line[pos + 1] == '*') {
            const std::size_t end = line.find("*/", pos + 2);
            pos = end == std::string_view::npos ? line.size() : end + 2;
            continue;
        } else if (c == '"' || c == '\'') {
            // A plain literal; prefixed ones (u8, L, R...) are consumed with their identifier below.
            std::string bytes;
            bool hex = false;
            std::string error;
            for (++pos; pos < line.size() && line[pos] != c;) {
                if (line[pos] == '\\') {
                    ++pos;
                    const std::string escapeError = ReadEscape(line, pos, bytes, hex);
                    if (error.empty()) error = escapeError;
                } else {
                    bytes += line[pos++];
                }
            }
            pos = std::min(pos + 1, line.size());
            if (c == '"') {
                if (!runOpen) runs.emplace_back();
                LiteralRun& run = runs.back();
                run.bytes += bytes;
                run.hasHexEscape = run.hasHexEscape || hex;
                if (run.error.empty()) run.error = error;
                runOpen = true;
            }
            continue;
        } else if (IsIdentifierChar(c)) {
            // An identifier or a number (with ' digit separators); a literal glued to it is prefixed.
            const bool number = std::isdigit(static_cast<unsigned char>(c)) != 0;
            while (pos < line.size() && (IsIdentifierChar(line[pos]) || (number && line[pos] == '\'')))
                ++pos;
            if (!number && pos < line.size() && (line[pos] == '"' || line[pos] == '\'')) {
                const bool raw = line[pos - 1] == 'R';
                const char quote = line[pos++];
                if (raw && quote == '"') {
                    const std::size_t open = line.find('(', pos);
                    const std::size_t end = open == std::string_view::npos
                                                ? open
                                                : line.find(")" + std::string(line.substr(pos, open - pos)) + "\"", open);
                    pos = end == std::string_view::npos ? line.size() : end + (open - pos) + 2;
                } else {
                    while (pos < line.size() && line[pos] != quote)
                        pos += line[pos] == '\\' ? 2u : 1u;
                    pos = std::min(pos + 1, line.size());
                }
            }
            runOpen = false;
            continue;
        } else if (std::isspace(static_cast<unsigned char>(c)) == 0) {
            runOpen = false;
        }
        ++pos;
    }

    const auto escaped = std::count_if(runs.begin(), runs.end(), [](const LiteralRun& r) { return r.hasHexEscape; });
    if (escaped == 0 || !comment) return std::nullopt;
    if (escaped > 1)
        return EscapedText{.bytes = {}, .comment = {}, .error = "more than one escaped text on the line"};
    const LiteralRun& run = *std::find_if(runs.begin(), runs.end(), [](const LiteralRun& r) { return r.hasHexEscape; });
    if (!run.error.empty()) return EscapedText{.bytes = {}, .comment = {}, .error = run.error};

    std::string_view text = *comment;
    if (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    std::string readable;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'r' || text[i + 1] == 'n')) {
            readable += text[++i] == 'r' ? '\r' : '\n';
        } else {
            readable += text[i];
        }
    }
    return EscapedText{.bytes = run.bytes, .comment = readable, .error = {}};
}

// Control characters shown as escapes, so that a mismatch in CR LF is visible in the message.
std::string Visible(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else if (c == '\t') out += "\\t";
        else out += c;
    }
    return out;
}

// The decoded literal must be where the comment starts.
testing::AssertionResult CommentReadsAsBytes(const EscapedText& text)
{
    if (!text.error.empty()) return testing::AssertionFailure() << text.error;
    const QString decoded = FromGbk(text.bytes.c_str());
    if (!QString::fromUtf8(text.comment).startsWith(decoded))
        return testing::AssertionFailure() << "bytes decode to \"" << Visible(decoded.toStdString())
                                           << "\" but the comment reads \"" << Visible(text.comment) << "\"";
    return testing::AssertionSuccess();
}

// The decoded literal must encode back to the same bytes, with no character lost on the way.
testing::AssertionResult SurvivesRoundTrip(const EscapedText& text)
{
    const QString decoded = FromGbk(text.bytes.c_str());
    if (decoded.contains(QChar(QChar::ReplacementCharacter)))
        return testing::AssertionFailure() << "bytes are not valid GBK: \"" << decoded.toStdString() << "\"";
    if (ToGbk(decoded) != text.bytes)
        return testing::AssertionFailure() << "\"" << decoded.toStdString() << "\" does not encode back to its bytes";
    return testing::AssertionSuccess();
}

// ---- The scanner on hand-written lines ----

enum class Verdict { NotAText, Reads, Misreads, Unreadable };

struct ScanRow {
    const char* name;
    std::string_view line;
    Verdict verdict;
    std::string bytes;  // expected literal bytes when the line is a text
};

void PrintTo(const ScanRow& row, std::ostream* os)
{
    *os << row.name;
}

class Scanner : public testing::TestWithParam<ScanRow> {};

TEST_P(Scanner, ReadsTheLineAsTheCompilerDoes)
{
    const ScanRow& row = GetParam();
    const std::optional<EscapedText> text = ScanLine(row.line);
    if (row.verdict == Verdict::NotAText) {
        EXPECT_FALSE(text.has_value());
        return;
    }
    ASSERT_TRUE(text.has_value());
    if (row.verdict == Verdict::Unreadable) {
        EXPECT_FALSE(text->error.empty());
        EXPECT_FALSE(CommentReadsAsBytes(*text));
        return;
    }
    EXPECT_EQ(text->error, "");
    EXPECT_EQ(text->bytes, row.bytes);
    EXPECT_EQ(CommentReadsAsBytes(*text), row.verdict == Verdict::Reads);
}

// clang-format off
const ScanRow ScanRows[] = {
    {"Correct", R"(constexpr char FatalCaption[] = "\xB4\xED\xCE\xF3";  // 错误)",
     Verdict::Reads, "\xB4\xED\xCE\xF3"},
    {"CommentLies", R"(constexpr char FatalCaption[] = "\xB4\xED\xCE\xF3";  // 错吴)",
     Verdict::Misreads, "\xB4\xED\xCE\xF3"},
    {"CommentCutShort", R"(constexpr char FatalCaption[] = "\xB4\xED\xCE\xF3";  // 错)",
     Verdict::Misreads, "\xB4\xED\xCE\xF3"},
    {"SplitEscapes", R"(.text = "20\xB2\xE3\xA3\xBA" "7250",  // 20层：7250)",
     Verdict::Reads, "20\xB2\xE3\xA3\xBA" "7250"},
    {"EscapeRunningIntoDigits", R"(.text = "20\xB2\xE3\xA3\xBA7250",  // 20层：7250)",
     Verdict::Unreadable, ""},
    {"CommentGoesOn", R"("\xC4\xA7\xC5\xDA\xB9\xAD\xB2\xBD",  // 魔炮弓步  floor 1)",
     Verdict::Reads, "\xC4\xA7\xC5\xDA\xB9\xAD\xB2\xBD"},
    {"CrLfInComment", R"(.text = "\xCD\xF2\r\n",  // 万\r\n)",
     Verdict::Reads, "\xCD\xF2\r\n"},
    {"CrLfMissingFromComment", R"(.text = "\xCD\xF2\r\n",  // 万)",
     Verdict::Misreads, "\xCD\xF2\r\n"},
    {"QuoteBackslashTab", R"("\"\xB4\xED\\\t",  // "错\)" "\t",
     Verdict::Reads, "\"\xB4\xED\\\t"},
    {"MacroAfterLiteral", R"(.title = "By\xA3\xBA" KESTRUNE_SITE_ADDRESS,  // By：)",
     Verdict::Reads, "By\xA3\xBA"},
    {"SlashesInsideLiteral", R"(f("http://\xB4\xED");  // http://错)",
     Verdict::Reads, "http://\xB4\xED"},
    {"PlainTextBesideEscapedText", R"(f("a", '"', "\xB4\xED");  // 错)",
     Verdict::Reads, "\xB4\xED"},
    {"TwoEscapedTexts", R"({"\xB4\xED", "\xCE\xF3"},  // 错误)",
     Verdict::Unreadable, ""},
    {"NoComment", R"(constexpr char FatalCaption[] = "\xB4\xED\xCE\xF3";)",
     Verdict::NotAText, ""},
    {"NoEscape", R"(constexpr char Name[] = "abc";  // abc)",
     Verdict::NotAText, ""},
    {"RawLiteralHasNoEscapes", R"row(x = R"(\xB4\xED "//)";  // 错)row",
     Verdict::NotAText, ""},
    {"EscapeOnlyInComment", R"(x = 1;  // "\xB4\xED")",
     Verdict::NotAText, ""},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Lines, Scanner, testing::ValuesIn(ScanRows),
                         [](const testing::TestParamInfo<ScanRow>& row) { return std::string(row.param.name); });

// ---- The program's own texts ----

// One escaped text found in the program's sources.
struct FoundText {
    std::string where;  // path relative to the source root, and line number
    EscapedText text;
};

// The source tree to read: the environment's KESTRUNE_SOURCE_DIR, else the one the test was built from.
const char* SourceRoot()
{
    const char* root = std::getenv("KESTRUNE_SOURCE_DIR");
    if (root != nullptr && *root != '\0') return root;
#ifdef KESTRUNE_SOURCE_DIR
    return KESTRUNE_SOURCE_DIR;
#else
    return nullptr;
#endif
}

// Every escaped text under app/, ui/ and platform/, in a stable order; an error message instead if there are none.
std::vector<FoundText> ProgramTexts(std::string& error)
{
    const char* root = SourceRoot();
    if (root == nullptr || *root == '\0') {
        error = "KESTRUNE_SOURCE_DIR is not set";
        return {};
    }
    std::vector<fs::path> files;
    for (const char* dir : {"app", "ui", "platform"}) {
        const fs::path base = fs::path(root) / dir;
        if (!fs::is_directory(base)) {
            error = base.string() + " is not a directory";
            return {};
        }
        for (const auto& entry : fs::recursive_directory_iterator(base)) {
            const fs::path ext = entry.path().extension();
            if (entry.is_regular_file() && (ext == ".cpp" || ext == ".h")) files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());

    std::vector<FoundText> found;
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (std::optional<EscapedText> text = ScanLine(line))
                found.push_back({fs::relative(file, root).string() + ":" + std::to_string(number), std::move(*text)});
        }
    }
    if (found.empty()) error = "no escaped text found under app/, ui/ and platform/ of " + std::string(root);
    return found;
}

TEST(ProgramTexts, EachCommentReadsAsTheBytesBesideIt)
{
    std::string error;
    const std::vector<FoundText> texts = ProgramTexts(error);
    ASSERT_EQ(error, "");
    for (const FoundText& found : texts)
        EXPECT_TRUE(CommentReadsAsBytes(found.text)) << found.where;
}

TEST(ProgramTexts, EachTextEncodesBackToItsBytes)
{
    std::string error;
    const std::vector<FoundText> texts = ProgramTexts(error);
    ASSERT_EQ(error, "");
    for (const FoundText& found : texts) {
        if (found.text.error.empty()) {
            EXPECT_TRUE(SurvivesRoundTrip(found.text)) << found.where;
        }
    }
}

}  // namespace
