#include "networks/stock_list.h"

#include <algorithm>
#include <array>
#include <optional>

#include "networks/part_kind.h"
#include "networks/value_text.h"

namespace gosei::networks {
namespace {

using Problem = std::string;

// ---- Text ----------------------------------------------------------------

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The text as the value reader sees it (full-width forms as ASCII), without
// the blanks around it.
std::string asciiTrimmed(std::string_view text) {
    return std::string(trimmed(asciiForms(text)));
}

std::string lowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// The text up to its first blank.
std::string_view firstWord(std::string_view text) {
    return text.substr(0, std::find_if(text.begin(), text.end(), isBlank) - text.begin());
}

// Calls `take` with each run of text between blanks.
template <typename Take>
void forEachWord(std::string_view text, Take take) {
    while (!(text = trimmed(text)).empty()) {
        const std::string_view word = firstWord(text);
        take(word);
        text.remove_prefix(word.size());
    }
}

// Text of the list quoted for a message, cut at a character's start after
// kLongestQuote bytes, so that a message about a long line stays one to read.
constexpr std::size_t kLongestQuote = 80;
std::string quotedExcerpt(std::string_view text) {
    if (text.size() <= kLongestQuote) return quotedText(text);
    std::size_t end = kLongestQuote;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return quotedText(text.substr(0, end)) + "…";
}

// ---- Records and fields --------------------------------------------------

struct Field {
    std::string text;  // without the quotes around it, as written otherwise
    bool quoted = false;
    char endedBy = '\0';  // the separator after it; '\0' for the last
};

struct Record {
    int line = 0;           // the line it starts on, from 1
    std::string_view text;  // as written, without its line end or comment
    std::vector<Field> fields;
};

struct EndOfText {};

// Whether a line holds nothing to read: blanks only, or a comment.
bool isSkipped(std::string_view line) {
    const std::string_view content = trimmed(line);
    return content.empty() || content.front() == '#';
}

// The first line that is not skipped, as written; empty if there is none.
std::string_view firstContentLine(std::string_view text) {
    while (!text.empty()) {
        const std::string_view line = text.substr(0, text.find('\n'));
        if (!isSkipped(line)) return line;
        text.remove_prefix(std::min(line.size() + 1, text.size()));
    }
    return text;
}

// Splits a list into records of fields, quoted as RFC 4180 has it: a field
// whose first character other than spaces is a quote runs to the next lone
// quote, through separators and line ends, and two quotes within it are one.
// Skips blank lines, lines of empty fields only, and lines whose first
// character other than blanks is '#'; where `commentsAnywhere`, a '#' outside
// quotes also ends a record. Linear in the text.
class RecordReader {
  public:
    RecordReader(std::string_view text, std::string_view separators, bool commentsAnywhere)
        : m_text(text), m_separators(separators), m_commentsAnywhere(commentsAnywhere) {}

    std::variant<Record, EndOfText, Problem> next() {
        while (m_at < m_text.size()) {
            if (isSkipped(m_text.substr(m_at, lineEnd(m_at) - m_at))) {
                skipLine();
                continue;
            }
            auto record = readRecord();
            if (const Record* read = std::get_if<Record>(&record)) {
                const auto blank = [](const Field& field) { return trimmed(field.text).empty(); };
                if (std::all_of(read->fields.begin(), read->fields.end(), blank)) continue;
            }
            return record;
        }
        return EndOfText{};
    }

    // The line the reader is on: of a record just refused, its line.
    int line() const { return m_line; }

  private:
    std::size_t lineEnd(std::size_t from) const {
        return std::min(m_text.find('\n', from), m_text.size());
    }

    void skipLine() {
        m_at = lineEnd(m_at);
        if (m_at < m_text.size()) {
            ++m_at;
            ++m_line;
        }
    }

    bool endsField(char c) const {
        return c == '\n' || m_separators.find(c) != std::string_view::npos ||
               (m_commentsAnywhere && c == '#');
    }

    std::variant<Record, EndOfText, Problem> readRecord() {
        Record record;
        record.line = m_line;
        const std::size_t start = m_at;
        const auto problem = [&](std::string_view what) -> Problem {
            return "line " + std::to_string(record.line) + ": " +
                   quotedExcerpt(trimmed(m_text.substr(start, lineEnd(start) - start))) + ": " +
                   std::string(what);
        };
        while (true) {
            Field field;
            std::size_t at = m_at;
            while (at < m_text.size() && m_text[at] == ' ')
                ++at;
            if (at < m_text.size() && m_text[at] == '"') {
                field.quoted = true;
                for (++at;; ++at) {
                    if (at == m_text.size())
                        return problem("a quoted field has no closing quote; end it with \"");
                    if (m_text[at] == '"') {
                        if (at + 1 == m_text.size() || m_text[at + 1] != '"') break;
                        ++at;
                    } else if (m_text[at] == '\n') {
                        ++m_line;
                    }
                    field.text += m_text[at];
                }
                ++at;
                while (at < m_text.size() && isBlank(m_text[at]) && !endsField(m_text[at]))
                    ++at;
                if (at < m_text.size() && !endsField(m_text[at]))
                    return problem(
                        "text follows the quote that ends a field; write a quote within a "
                        "quoted field twice (\"\")");
            } else {
                at = m_at;
                while (at < m_text.size() && !endsField(m_text[at]))
                    ++at;
                field.text = m_text.substr(m_at, at - m_at);
            }
            m_at = at;
            if (m_at < m_text.size() && m_text[m_at] != '\n' && m_text[m_at] != '#') {
                field.endedBy = m_text[m_at++];
                record.fields.push_back(std::move(field));
                continue;
            }
            record.fields.push_back(std::move(field));
            record.text = trimmed(m_text.substr(start, m_at - start));
            skipLine();
            return record;
        }
    }

    std::string_view m_text;
    std::string_view m_separators;
    bool m_commentsAnywhere;
    std::size_t m_at = 0;
    int m_line = 1;
};

// ---- Values ----------------------------------------------------------------

// How a value is written, which decides what else on its line could be part
// of it or be the value instead: "470" and "0.47" are plain numbers, "R47"
// and "R12" start with a letter, "4.7k" and "4k7" carry a multiplier or unit.
enum class Shape { Number, LetterFirst, Marked };

Shape shapeOf(std::string_view value) {
    if (value.starts_with('+') || value.starts_with('-')) value.remove_prefix(1);
    if (value.empty() || !(isDigit(value.front()) || value.front() == '.'))
        return Shape::LetterFirst;
    const bool plain =
        std::all_of(value.begin(), value.end(), [](char c) { return isDigit(c) || c == '.'; });
    return plain ? Shape::Number : Shape::Marked;
}

bool isDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), isDigit);
}

// The value column's value is read in the unit written with it, or else in
// the list's (`unit`), so that a value of another kind of part reads, to be
// refused as such. Other text is read in the list's unit alone: what could
// be the value instead, or part of it, is what a value of the list's kind
// could be.
Unit unitOf(std::string_view text, Unit unit) {
    return writtenUnit(text).value_or(unit);
}

bool reads(std::string_view text, Unit unit) {
    return std::holds_alternative<double>(readValue(text, unit));
}

// Whether `other`, elsewhere on the line of a value of `shape`, could be the
// value instead: a reference such as R1 reads as 0.1, so beside any other
// value it may not be the value; a plain number beside a marked value such
// as 4.7k may be an item number or a quantity.
bool rivals(Shape shape, std::string_view other, Unit unit) {
    if (!reads(other, unit)) return false;
    return shape == Shape::LetterFirst ||
           (shape == Shape::Number && shapeOf(other) != Shape::Number);
}

// Whether `rest`, after a blank, could be part of the plain number `number`
// ("1 000", "1 k5", "4.7 kilohm"): three digits that group thousands, or a
// start that the value reader would take after the number.
bool continues(std::string_view number, std::string_view rest, Unit unit) {
    if (rest.empty()) return false;
    if (isDigit(rest.front())) {
        const std::size_t digits =
            std::find_if_not(rest.begin(), rest.end(), isDigit) - rest.begin();
        return digits == 3 && isDigits(number);
    }
    std::size_t first = 1;
    while (first < rest.size() && (static_cast<unsigned char>(rest[first]) & 0xC0) == 0x80)
        ++first;
    const std::string joined(number);
    return reads(joined + std::string(rest.substr(0, first)), unit) ||
           reads(joined + std::string(firstWord(rest)), unit);
}

std::string splitInTwo(std::string_view first, std::string_view second) {
    return "may hold one value split in two (" + quotedExcerpt(first) + " and " +
           quotedExcerpt(second) + "); write it in one piece, such as 4.7k or 1000";
}

std::string twoValues(std::string_view first, std::string_view second) {
    return "has more than one field that reads as a value (" + quotedExcerpt(first) + " and " +
           quotedExcerpt(second) + "); add a header row that names the value column (Value)";
}

// Writes a value's decimal comma as a point, where the table's separator
// lets values have one; or says why the value cannot be read.
std::optional<Problem> writeDecimalPoint(std::string& text, char separator) {
    const auto commas = std::count(text.begin(), text.end(), ',');
    const Problem ambiguous =
        "may hold a thousands separator or a decimal comma; write it without, such as 4.7k or "
        "1000 (a table separated by semicolons may write decimal commas)";
    if (separator != ';') return commas == 0 ? std::nullopt : std::optional(ambiguous);
    if (commas > 1 || (commas == 1 && text.find('.') != std::string::npos)) return ambiguous;
    if (commas == 1) {
        std::replace(text.begin(), text.end(), ',', '.');
        return std::nullopt;
    }
    // Where commas are decimal, a point may group thousands: "1.000" is 1000.
    for (std::size_t point = text.find('.'); point != std::string::npos;
         point = text.find('.', point + 1)) {
        std::size_t before = point;
        while (before > 0 && isDigit(text[before - 1]))
            --before;
        std::size_t after = point + 1;
        while (after < text.size() && isDigit(text[after]))
            ++after;
        const std::size_t whole = point - before;
        if (whole >= 1 && whole <= 3 && text[before] != '0' && after - point - 1 == 3)
            return ambiguous;
    }
    return std::nullopt;
}

// No value is written in more characters than this; longer starts of a
// field are not tried, so that a long line is read in time linear in its
// length.
constexpr std::size_t kLongestValueText = 64;

struct CellValue {
    double value;
    Shape shape;
    Unit unit;  // the one it is read in
};

// The value a field starts with, given as the value reader sees it. Text may
// follow it after a blank or a '±' (4.7k 1%, 4.7 kΩ±1%) unless that text
// could be part of it or be the value instead.
std::variant<CellValue, Problem> readCell(std::string_view cell, char separator, Unit unit) {
    std::string text(cell);
    if (auto problem = writeDecimalPoint(text, separator)) return *problem;
    const std::string_view field = text;
    const auto whole = readValue(field, unitOf(field, unit));
    std::string_view value = std::holds_alternative<double>(whole) ? field : std::string_view();
    for (std::size_t end = std::min(field.size(), kLongestValueText + 1);
         end-- > 1 && value.empty();) {
        const bool cut = isBlank(field[end]) || field.substr(end).starts_with("\u00b1");
        const std::string_view start = field.substr(0, end);
        if (cut && reads(start, unitOf(start, unit))) value = trimmed(start);
    }
    if (value.empty()) return problemText(std::get<ValueProblem>(whole));
    const std::string_view rest = trimmed(field.substr(value.size()));
    const Shape shape = shapeOf(value);
    if (shape == Shape::Number && continues(value, rest, unit))
        return splitInTwo(value, firstWord(rest));
    Problem rival;
    forEachWord(rest, [&](std::string_view word) {
        if (rival.empty() && rivals(shape, word, unit)) rival = twoValues(value, word);
    });
    if (!rival.empty()) return rival;
    const Unit readIn = unitOf(value, unit);
    return CellValue{std::get<double>(readValue(value, readIn)), shape, readIn};
}

// ---- Headers ---------------------------------------------------------------

constexpr std::array<std::string_view, 7> kValueNames = {"value", "val",    "comment", "resistance",
                                                         "値",    "抵抗値", "定数"};
constexpr std::array<std::string_view, 4> kQuantityNames = {"qty", "quantity", "数量", "個数"};

// A header's name as it is compared: ASCII forms, trimmed, small letters.
std::string nameKey(std::string_view name) {
    return lowerAscii(asciiTrimmed(name));
}

template <std::size_t N>
bool isOneOf(const std::string& key, const std::array<std::string_view, N>& names) {
    return std::find(names.begin(), names.end(), key) != names.end();
}

// The columns of a header whose names pass `named`.
template <typename Named>
std::vector<std::size_t> columnsNamed(const Record& header, Named named) {
    std::vector<std::size_t> columns;
    for (std::size_t i = 0; i < header.fields.size(); ++i)
        if (named(nameKey(header.fields[i].text))) columns.push_back(i);
    return columns;
}

// A list's first line is a header when it names a column the reader knows,
// or when it holds several fields none of which starts with a value (so
// that "10k # blue, red" is a value and its comment).
bool isHeader(const Record& first, Unit unit) {
    const auto known = [](const std::string& key) {
        return isOneOf(key, kValueNames) || isOneOf(key, kQuantityNames);
    };
    if (!columnsNamed(first, known).empty()) return true;
    const auto startsWithValue = [unit](const Field& field) {
        return reads(firstWord(asciiTrimmed(field.text)), unit);
    };
    return first.fields.size() >= 2 &&
           std::none_of(first.fields.begin(), first.fields.end(), startsWithValue);
}

// Of tab, semicolon and comma, the one a table's first line holds most
// often outside quotes (a comma, for a line of one field).
char tableSeparator(std::string_view firstLine) {
    std::array<std::size_t, 3> counts{};
    constexpr std::string_view kSeparators = "\t;,";
    bool quoted = false;
    for (char c : firstLine) {
        if (c == '"') quoted = !quoted;
        const auto which = kSeparators.find(c);
        if (!quoted && which != std::string_view::npos) ++counts[which];
    }
    const auto most = std::max_element(counts.begin(), counts.end());
    return *most == 0 ? ',' : kSeparators[static_cast<std::size_t>(most - counts.begin())];
}

// ---- Reading ---------------------------------------------------------------

std::string where(const Record& record) {
    return "line " + std::to_string(record.line) + ": " + quotedExcerpt(record.text);
}

// A table: which columns to read, and how the header has them.
struct Table {
    char separator = ',';
    Unit unit = Unit::Ohm;
    std::optional<std::size_t> fieldCount;  // of the header, where there is one
    std::size_t valueColumn = 0;
    std::string valueColumnName;  // "column \"Value\"", "column 2"
    std::optional<std::size_t> quantityColumn;
    std::string quantityColumnName;
};

std::string columnName(const Record& header, std::size_t column) {
    return "column " + quotedExcerpt(trimmed(header.fields[column].text));
}

std::variant<Table, Problem> tableOf(const Record& header,
                                     const std::optional<ValueColumn>& column) {
    Table table;
    table.fieldCount = header.fields.size();
    const std::string at = where(header);
    std::vector<std::size_t> values;
    if (column && !column->name.empty()) {
        const std::string wanted = nameKey(column->name);
        values = columnsNamed(header, [&](const std::string& key) { return key == wanted; });
        if (values.empty()) return at + " has no column named " + quotedExcerpt(column->name);
    } else if (column) {
        if (column->number > header.fields.size())
            return at + " has " + std::to_string(header.fields.size()) +
                   " columns, fewer than --column " + std::to_string(column->number);
        values = {column->number - 1};
    } else {
        values =
            columnsNamed(header, [](const std::string& key) { return isOneOf(key, kValueNames); });
        if (values.empty())
            return at +
                   " names no value column (Value, Val, Comment, Resistance, 値, 抵抗値 or "
                   "定数); name it with --column NAME or N";
    }
    if (values.size() > 1)
        return at + " names more than one value column; choose one with --column NAME or N";
    table.valueColumn = values.front();
    table.valueColumnName = columnName(header, table.valueColumn);
    const auto quantities =
        columnsNamed(header, [](const std::string& key) { return isOneOf(key, kQuantityNames); });
    if (quantities.size() > 1)
        return at + " names more than one quantity column (Qty, Quantity, 数量, 個数); keep one";
    if (!quantities.empty()) {
        table.quantityColumn = quantities.front();
        table.quantityColumnName = columnName(header, quantities.front());
    }
    return table;
}

// A whole number of parts, in ASCII or full-width digits, at most
// kMostQuantity.
std::optional<std::int64_t> quantityOf(std::string_view cell) {
    const std::string digits = asciiTrimmed(cell);
    if (!isDigits(digits)) return std::nullopt;
    std::int64_t quantity = 0;
    for (char digit : digits)
        quantity = std::min(quantity * 10 + (digit - '0'), kMostQuantity);
    return quantity;
}

std::variant<StockRow, Problem> tableRow(const Table& table, const Record& record) {
    const std::string at = where(record);
    if (table.fieldCount && record.fields.size() != *table.fieldCount)
        return at + " has " + std::to_string(record.fields.size()) +
               " fields where the header has " + std::to_string(*table.fieldCount) +
               "; quote a field that holds the separator, as \"R1,R2\"";
    if (table.valueColumn >= record.fields.size()) return at + " has no " + table.valueColumnName;
    const std::string_view cell = trimmed(record.fields[table.valueColumn].text);
    if (cell.empty()) return at + " has no value in " + table.valueColumnName;
    const std::string inColumn = at + ": " + quotedExcerpt(cell) + " in " + table.valueColumnName;
    const auto value = readCell(asciiTrimmed(cell), table.separator, table.unit);
    if (const Problem* problem = std::get_if<Problem>(&value)) return inColumn + " " + *problem;
    StockRow row{std::get<CellValue>(value).value, 0, std::get<CellValue>(value).unit};
    if (!(row.value > 0)) return inColumn + " is not a positive value";
    if (!table.quantityColumn) return row;
    const std::string_view count = trimmed(record.fields[*table.quantityColumn].text);
    const auto quantity = quantityOf(count);
    if (!quantity)
        return at + ": " + (count.empty() ? "no quantity" : quotedExcerpt(count)) + " in " +
               table.quantityColumnName + (count.empty() ? "" : " is not a whole number") +
               "; write the number of parts, such as 3 (0 for none)";
    row.quantity = *quantity;
    return row;
}

// A line of a list without a header: the value is its first field.
std::variant<StockRow, Problem> listRow(const Record& record, Unit unit) {
    const std::string at = where(record);
    const Field& first = record.fields.front();
    const std::string cell = asciiTrimmed(first.text);
    const auto read = readCell(cell, '\0', unit);
    if (const Problem* problem = std::get_if<Problem>(&read)) return at + " " + *problem;
    const CellValue value = std::get<CellValue>(read);
    // "4,7k" and "1,000": a decimal or thousands comma taken for a separator.
    if (record.fields.size() > 1) {
        const Field& second = record.fields[1];
        if (isDigits(first.text) && first.endedBy == ',' && !second.quoted &&
            !second.text.empty() && isDigit(second.text.front()))
            return at + " " + splitInTwo(first.text, firstWord(second.text));
    }
    Problem rival;
    for (std::size_t i = 1; i < record.fields.size() && rival.empty(); ++i)
        forEachWord(asciiForms(record.fields[i].text), [&](std::string_view word) {
            if (rival.empty() && rivals(value.shape, word, unit)) rival = twoValues(cell, word);
        });
    if (!rival.empty()) return at + " " + rival;
    if (!(value.value > 0)) return at + " is not a positive value";
    return StockRow{value.value, 0, value.unit};
}

}  // namespace

std::variant<StockList, StockListError> parseStockList(std::string_view text,
                                                       const std::optional<ValueColumn>& given,
                                                       Unit unit) {
    if (text.size() > kMostStockListBytes)
        return StockListError{
            "more than " + std::string(kMostStockListText) + ", the most a stock list may hold",
            0,
            {},
            {}};
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    const auto column = given && (!given->name.empty() || given->number > 0) ? given : std::nullopt;

    // The first line decides the form: a table if it is a header, or if a
    // column is given; else a list of one value a line.
    const char separator = tableSeparator(firstContentLine(text));
    const std::string separators(1, separator);
    const auto first = RecordReader(text, separators, false).next();
    const bool headed =
        (column && !column->name.empty()) ||
        (std::holds_alternative<Record>(first) && isHeader(std::get<Record>(first), unit));

    // A problem on line `number` of the text.
    const auto onLine = [text](Problem message, int number) {
        std::string_view line = text;
        for (int skipped = 1; skipped < number && !line.empty(); ++skipped) {
            const auto end = line.find('\n');
            line = end == std::string_view::npos ? std::string_view() : line.substr(end + 1);
        }
        line = line.substr(0, line.find('\n'));
        return StockListError{std::move(message), number, quotedExcerpt(trimmed(line)), {}};
    };
    StockList list;
    std::optional<Table> table;
    const std::string_view readerSeparators =
        headed || column ? std::string_view(separators) : std::string_view("\t;,");
    RecordReader reader(text, readerSeparators, !headed && !column);
    if (headed) {
        auto header = reader.next();
        if (const Problem* problem = std::get_if<Problem>(&header))
            return onLine(*problem, reader.line());
        if (std::holds_alternative<EndOfText>(header))
            return StockListError{"no values", 0, {}, {}};
        auto read = tableOf(std::get<Record>(header), column);
        if (const Problem* problem = std::get_if<Problem>(&read))
            return onLine(*problem, std::get<Record>(header).line);
        table = std::get<Table>(read);
    } else if (column) {
        table.emplace();
        table->valueColumn = column->number - 1;
        table->valueColumnName = "column " + std::to_string(column->number);
    }
    if (table) {
        table->separator = separator;
        table->unit = unit;
    }
    list.counted = table && table->quantityColumn;
    while (true) {
        auto record = reader.next();
        if (const Problem* problem = std::get_if<Problem>(&record))
            return onLine(*problem, reader.line());
        if (std::holds_alternative<EndOfText>(record)) break;
        const Record& read = std::get<Record>(record);
        auto row = table ? tableRow(*table, read) : listRow(read, unit);
        if (const Problem* problem = std::get_if<Problem>(&row)) return onLine(*problem, read.line);
        const StockRow& stocked = std::get<StockRow>(row);
        if (stocked.unit != unit) {
            const auto kind = [](Unit of) -> const PartKindFacts& {
                return factsOf(*partKindOf(of));
            };
            StockListError error =
                onLine(where(read) + " holds a value in " +
                           std::string(kind(stocked.unit).unitName) + ", but the parts are " +
                           std::string(kind(unit).english) + "; a list holds parts of one kind",
                       read.line);
            error.otherUnit = stocked.unit;
            return error;
        }
        list.rows.push_back(stocked);
    }
    if (list.rows.empty()) return StockListError{"no values", 0, {}, {}};
    return list;
}

}  // namespace gosei::networks
