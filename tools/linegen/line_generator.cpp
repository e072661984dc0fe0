#include "line_generator.h"

#include <array>
#include <cctype>
#include <unordered_set>

namespace vx::linegen {

namespace {

// splitmix64: fixed arithmetic, unlike the standard distributions whose
// results differ between standard libraries.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // 0 .. n-1
    std::size_t below(std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(next() % n); }
    bool chance(int percent) { return below(100) < static_cast<std::size_t>(percent); }
    template <typename T, std::size_t N> const T& pick(const std::array<T, N>& a) {
        return a[below(N)];
    }

private:
    std::uint64_t state_;
};

// The numbers where the operand checks change their verdict, and their
// neighbours.
constexpr std::array<const char*, 40> Boundaries = {
    "0",    "1",    "2",    "5",    "8",    "9",    "10",    "12",    "23",    "24",
    "29",   "30",   "59",   "60",   "99",   "100",  "127",   "128",   "255",   "256",
    "500",  "511",  "512",  "513",  "999",  "1000", "1023",  "1024",  "1025",  "1056",
    "1057", "1998", "1999", "2000", "9998", "9999", "10000", "32767", "32768", "99999"};

constexpr std::array<const char*, 44> Keywords = {
    "A",  "B",  "C",  "D",  "E",   "F",   "G",   "H",        "I",   "K",  "L",
    "M",  "N",  "O",  "P",  "Q",   "R",   "S",   "T",        "U",   "V",  "W",
    "X",  "Y",  "Z",  "ON", "OFF", "EIN", "AUS", "OLD",      "ALT", "UC", "UZ",
    "TM", "ZM", "TS", "ZS", "AND", "OR",  "XOR", "&SETVAR&", "&",   "MK", "XX"};

constexpr std::array<const char*, 12> Names = {"START",     "LOOP",     "SUB1", "SUB2",
                                               "start",     "END",      "A1",   "X",
                                               "other.vfp", "horn.wav", "a b",  "NOWHERE"};

constexpr std::array<const char*, 8> Remarks = {
    "note", "", "x", "Bahnhof Süd", "a, b", "*", "  ", "long remark with several words"};

const std::vector<std::string> TemplateLines = {"!, LOOP",
                                                "!, START",
                                                "* a remark line",
                                                "*  note",
                                                "/, D12, How many?",
                                                "/, I, Information for all",
                                                "/, M, Train late",
                                                "/, T, 1",
                                                "/, T, 5",
                                                "?, 12",
                                                "A",
                                                "A, C",
                                                "A, F",
                                                "A, K",
                                                "A, M",
                                                "A, MK",
                                                "A, P",
                                                "A, Q",
                                                "A, R",
                                                "A, S",
                                                "A, W",
                                                "B, 0, B, M12",
                                                "B, 1056, F, 17",
                                                "B, 12, B",
                                                "B, 12, B, 10000",
                                                "C, 12, 29",
                                                "C, 12, 5, ON",
                                                "C, 12, 5, XX",
                                                "C, 9999, 28, AUS",
                                                "C, M7, P12, 0",
                                                "D, 10",
                                                "D, 10, &SETVAR&",
                                                "D, 10, 0",
                                                "D, 10, 5",
                                                "D, 10, A, 5",
                                                "D, 10, D, 4",
                                                "D, 10, M, 2",
                                                "D, 10, S, M3",
                                                "D, 10, TM",
                                                "D, 10, TS",
                                                "D, 10, UC, 12",
                                                "D, 10, &",
                                                "E",
                                                "E, U",
                                                "E, W",
                                                "E, X",
                                                "F, D, 12, <5, AND",
                                                "F, D, 12, E",
                                                "F, D, 12, M3",
                                                "F, K, 12, B, AND",
                                                "F, K, 12, B, XOR",
                                                "F, K, 12, X",
                                                "F, M, 5, R, OR",
                                                "F, Q",
                                                "F, S, 1024, G",
                                                "F, T, 24",
                                                "F, T, 7, 30",
                                                "F, V, 5, AND",
                                                "F, V, <5",
                                                "F, X, 12, R",
                                                "F, Z, 3, -500",
                                                "F, Z, 3, O",
                                                "F, Y, 5, R",
                                                "F, A, 3, G",
                                                "F, H, 12",
                                                "F, O, 1, 5",
                                                "G, LOOP",
                                                "G, NOWHERE",
                                                "G, START",
                                                "H, 12",
                                                "H, 12, 3",
                                                "H, 12, M4",
                                                "I, 1, 99",
                                                "I, 1, 99, 7",
                                                "I4, 1, 99",
                                                "I9, M1, M2, 3",
                                                "J, 0",
                                                "J, 0, 1",
                                                "J, 1",
                                                "J, 2, 0",
                                                "J, 5",
                                                "J, S, 3",
                                                "K, 12, B",
                                                "K, 12, F, AND",
                                                "K, 12, X",
                                                "K, 2000, B",
                                                "KX, 12",
                                                "L, 12+, S, L, F, 1",
                                                "L, 3, B, -5",
                                                "L, 3, S, 100",
                                                "L, 3, S, 100, F, 7",
                                                "L, 3, S, 100, X",
                                                "L, 3, S, OLD",
                                                "L, 3, U",
                                                "L, 3, U, R",
                                                "L, 3, U, V",
                                                "L, M1000",
                                                "L, M12-, B, +5",
                                                "L, 3, F, 4, ON",
                                                "L, 3, L, ALT",
                                                "M, 1024, O",
                                                "M, 5, G",
                                                "M, 5, X",
                                                "M, M12, R",
                                                "N, other.vfp",
                                                "N, other.vfp, 12",
                                                "N, other.vfp, 2000",
                                                "N0, other.vfp",
                                                "N3, other.vfp, 12",
                                                "N, other.vfp, START",
                                                "O, 1, -5, 3",
                                                "O, 1, 12, L",
                                                "O, 1, D, A",
                                                "O, 1, S",
                                                "O, 1, T",
                                                "O, 2, C",
                                                "O, 3",
                                                "P, 12",
                                                "P, horn.wav",
                                                "Q, A, 3, 100",
                                                "Q, E, 3, 100",
                                                "Q, G, 3, 5",
                                                "Q, M, 3",
                                                "Q, P, 3, +50",
                                                "Q, S, 3, -2",
                                                "Q, V, 3",
                                                "Q2, A, 3, 100",
                                                "R, SUB1",
                                                "R, SUB1, 5",
                                                "R, SUB2",
                                                "S, 7, R",
                                                "S, M3, S",
                                                "S, 7, G, 5",
                                                "T, 24",
                                                "T, 7, 30",
                                                "T, 7, 30, H",
                                                "T, 7, 30, S, 60",
                                                "T, TM, 12",
                                                "T, TS, 12",
                                                "T, ZM, M5",
                                                "U, SUB1",
                                                "V, 100",
                                                "V, M12",
                                                "V3, 100",
                                                "V, -5",
                                                "W, 5",
                                                "W, M3",
                                                "X, 12",
                                                "X, 12, F",
                                                "X, 12, R, LOOP",
                                                "X, 12, S",
                                                "X, 12, W, F",
                                                "Y, 5, R",
                                                "Y, 5, W, R",
                                                "Y, 5, R, START",
                                                "Z, 0",
                                                "Z, 1000",
                                                "Z, 123",
                                                "Z, 5",
                                                "Z, M4"};

std::vector<std::string> split(const std::string& line) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (;;) {
        const std::size_t comma = line.find(", ", from);
        if (comma == std::string::npos) {
            parts.push_back(line.substr(from));
            return parts;
        }
        parts.push_back(line.substr(from, comma - from));
        from = comma + 2;
    }
}

std::string number(Random& r) {
    if (r.chance(70))
        return r.pick(Boundaries);
    std::string n = std::to_string(r.below(r.chance(50) ? 100 : 100000));
    if (r.chance(10))
        n.insert(0, r.below(3) + 1, '0');
    return n;
}

bool allDigits(const std::string& s) {
    if (s.empty())
        return false;
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

bool allLetters(const std::string& s) {
    if (s.empty())
        return false;
    for (char c : s)
        if (!std::isalpha(static_cast<unsigned char>(c)))
            return false;
    return true;
}

// Each run of digits becomes another number.
std::string renumber(Random& r, const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size();) {
        if (std::isdigit(static_cast<unsigned char>(s[i]))) {
            while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
                ++i;
            out += number(r);
        } else {
            out += s[i++];
        }
    }
    return out;
}

// A sign or letter before a number. Built by appending: GCC 12 at -O3 takes
// "M" + std::string for an overlapping copy and warns.
std::string prefixed(char prefix, const std::string& text) {
    std::string s(1, prefix);
    s += text;
    return s;
}

std::string mutateOperand(Random& r, const std::string& op) {
    if (r.chance(45))
        return op;
    if (r.chance(8))
        return r.pick(Keywords);
    if (r.chance(4))
        return prefixed('M', number(r));
    if (allDigits(op))
        return r.chance(10) ? prefixed('-', number(r))
                            : (r.chance(5) ? prefixed('+', number(r)) : number(r));
    if (allLetters(op) && op.size() <= 3)
        return r.chance(80) ? std::string(r.pick(Keywords))
                            : std::string(1, char('A' + r.below(26)));
    if (op.find_first_of("0123456789") != std::string::npos && op.size() <= 8)
        return renumber(r, op);
    return r.pick(Names);
}

// Bytes no keyboard layout types: controls, the Windows-1252 upper half,
// a blank run.
std::string junk(Random& r, bool controls) {
    const std::size_t length = r.chance(20) ? 200 + r.below(400) : 1 + r.below(40);
    std::string s;
    for (std::size_t i = 0; i < length; ++i) {
        const std::size_t kind = r.below(10);
        if (kind < 6)
            s += static_cast<char>(0x20 + r.below(0x5F));
        else if (kind < 8)
            s += static_cast<char>(0x80 + r.below(0x80));
        else if (kind < 9)
            s += ", ";
        else {
            // A line end would end the line.
            const char c = static_cast<char>(1 + r.below(31));
            s += c == '\n' || c == '\r' || (!controls && c != 26) ? '\t' : c;
        }
    }
    return s;
}

std::string generateOne(Random& r, bool controls) {
    if (r.chance(2))
        return junk(r, controls);
    std::vector<std::string> parts = split(TemplateLines[r.below(TemplateLines.size())]);
    std::string code = parts[0];
    if (code != "*") {
        for (std::size_t i = 1; i < parts.size(); ++i)
            parts[i] = mutateOperand(r, parts[i]);
        if (r.chance(10) && parts.size() > 1)
            parts.pop_back();
        if (r.chance(10) && parts.size() < 7)
            parts.push_back(r.chance(50) ? number(r) : std::string(r.pick(Keywords)));
        if (r.chance(8) && code.size() == 1)
            code += static_cast<char>('0' + r.below(10));
        if (r.chance(2))
            code = std::string(1, static_cast<char>(0x21 + r.below(0x5E)));
        parts[0] = code;
    } else if (parts.size() > 0 && r.chance(50)) {
        parts[0] = "* " + std::string(r.pick(Remarks));
        parts.resize(1);
    }
    const char* separator = ", ";
    if (r.chance(5))
        separator = ",";
    else if (r.chance(5))
        separator = " ,  ";
    std::string line = parts[0];
    for (std::size_t i = 1; i < parts.size(); ++i)
        line += separator + parts[i];
    if (r.chance(6))
        line += std::string(r.chance(50) ? "  * " : " *") + r.pick(Remarks);
    if (r.chance(4))
        for (char& c : line)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (r.chance(3))
        line.insert(0, r.below(3) + 1, ' ');
    if (r.chance(3))
        line.append(r.below(3) + 1, ' ');
    return line;
}

} // namespace

const std::vector<std::string>& Templates() {
    return TemplateLines;
}

std::vector<std::string> GenerateLines(const Options& options) {
    Random r(options.seed);
    std::vector<std::string> lines;
    lines.reserve(options.count);
    std::unordered_set<std::string> seen;
    // Every form once as written, then variations of them.
    for (const std::string& t : TemplateLines) {
        if (lines.size() >= options.count)
            return lines;
        if (seen.insert(t).second)
            lines.push_back(t);
    }
    std::size_t misses = 0;
    while (lines.size() < options.count && misses < 1000000) {
        std::string line = generateOne(r, options.controls);
        if (seen.insert(line).second) {
            lines.push_back(std::move(line));
            misses = 0;
        } else {
            ++misses;
        }
    }
    return lines;
}

} // namespace vx::linegen
