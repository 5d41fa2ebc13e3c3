#include "world/course_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>

#include "world/float_text.h"

// A course file is read line by line with no allocation per line: a course
// of ten thousand objects is read well within a frame's time at start-up.

namespace {

constexpr std::string_view formatName = "skycourse-course";
constexpr std::string_view formatVersion = "1";
constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

// The fields an object line may carry, each at most once.
enum Field { At, Size, MaterialField, Grain, ShapeField, Opacity, Flip, Travel, Velocity, StartField, Ball, fieldCount };

constexpr std::string_view fieldNames[fieldCount] = {"at",   "size",   "material", "grain", "shape", "opacity",
                                                     "flip", "travel", "velocity", "start", "ball"};

constexpr unsigned bit(Field field) { return 1u << field; }

enum class Kind { Block, Orb, Checkpoint, Goal, Start };

struct KindRule {
    std::string_view word;
    Kind kind;
    unsigned allowed;
    unsigned required;
};

constexpr unsigned blockFields = bit(At) | bit(Size) | bit(MaterialField) | bit(Grain) | bit(ShapeField) |
                                 bit(Opacity) | bit(Flip) | bit(Travel) | bit(Velocity) | bit(StartField);

constexpr KindRule kindRules[] = {
    {"block", Kind::Block, blockFields, bit(At) | bit(Size) | bit(MaterialField)},
    {"orb", Kind::Orb, bit(At) | bit(Ball), bit(At) | bit(Ball)},
    {"checkpoint", Kind::Checkpoint, bit(At) | bit(Ball), bit(At) | bit(Ball)},
    {"goal", Kind::Goal, bit(At), bit(At)},
    {"start", Kind::Start, bit(At), bit(At)},
};

template <typename T>
struct Named {
    std::string_view word;
    T value;
};

constexpr Named<Material> materials[] = {
    {"metal", Material::Metal}, {"glass", Material::Glass}, {"wood", Material::Wood}, {"none", Material::None}};
constexpr Named<Shape> shapes[] = {{"box", Shape::Box}, {"cylinder", Shape::Cylinder}};
constexpr Named<bool> yesNo[] = {{"yes", true}, {"no", false}};
constexpr Named<bool> startEnds[] = {{"base", true}, {"far", false}};
constexpr Named<int> ballSizes[] = {{"small", 0}, {"normal", 1}, {"large", 2}};

constexpr float glassOpacity = 0.4f;
constexpr int grainCount = 6;

template <typename T, size_t N>
std::string_view wordFor(const Named<T> (&table)[N], T value)
{
    for (const Named<T>& entry : table) {
        if (entry.value == value) return entry.word;
    }
    return table[0].word;
}

template <typename T, size_t N>
std::string wordsOf(const Named<T> (&table)[N])
{
    std::string words;
    for (size_t i = 0; i < N; ++i) {
        words += i == 0 ? "" : i + 1 == N ? " or " : ", ";
        words += table[i].word;
    }
    return words;
}

// A word of the file echoed in a complaint: short, and nothing that could
// drive a terminal.
std::string quote(std::string_view word)
{
    const size_t longest = 24;
    std::string out = "'";
    for (size_t i = 0; i < word.size() && i < longest; ++i) {
        const auto byte = static_cast<unsigned char>(word[i]);
        out.push_back(byte >= 0x20 && byte < 0x7f ? word[i] : '?');
    }
    return out + (word.size() > longest ? "...'" : "'");
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The line up to its comment; a '#' inside a quoted name is part of it.
std::string_view withoutComment(std::string_view line)
{
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') quoted = !quoted;
        if (line[i] == '#' && !quoted) return line.substr(0, i);
    }
    return line;
}

// The first word and the rest after it.
std::string_view firstWord(std::string_view text, std::string_view& rest)
{
    size_t end = 0;
    while (end < text.size() && !isBlank(text[end])) ++end;
    rest = trimmed(text.substr(end));
    return text.substr(0, end);
}

bool readInt(std::string_view text, int low, int high, int& out)
{
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, out);
    return error == std::errc() && stop == end && out >= low && out <= high;
}

template <typename T, size_t N>
std::string readWord(std::string_view text, const Named<T> (&table)[N], T& out)
{
    for (const Named<T>& entry : table) {
        if (entry.word == text) {
            out = entry.value;
            return "";
        }
    }
    return quote(text) + " is not " + wordsOf(table);
}

std::string readVec3(std::string_view text, Vec3& out)
{
    for (int axis = 0; axis < 3; ++axis) {
        const size_t comma = text.find(',');
        if ((axis < 2) != (comma != std::string_view::npos)) return "takes three numbers x,y,z";
        const std::string_view number = text.substr(0, comma);
        if (!readFloat(number, out[axis])) return quote(number) + " is not a finite number";
        text.remove_prefix(axis < 2 ? comma + 1 : text.size());
    }
    return "";
}

bool withinReach(Vec3 point)
{
    for (int axis = 0; axis < 3; ++axis) {
        if (!(std::fabs(point[axis]) <= farthestCoordinate)) return false;
    }
    return true;
}

std::string tooFar() { return "beyond " + std::to_string(int(farthestCoordinate)) + " on an axis"; }

// One object line's fields by name: unread fields are empty.
struct Fields {
    std::array<std::string_view, fieldCount> value;
    unsigned given = 0;

    bool has(Field field) const { return (given & bit(field)) != 0; }
};

struct Reader {
    Builder builder;
    CourseInfo info;
    int nameLine = 0;
    int parLine = 0;
    int startLine = 0;
    int goalLine = 0;
};

std::string complaint(int line, std::string_view what)
{
    return "line " + std::to_string(line) + ": " + std::string(what);
}

std::string complaint(int line, Field field, std::string_view what)
{
    return complaint(line, std::string(fieldNames[field]) + ": " + std::string(what));
}

std::string splitFields(const KindRule& rule, std::string_view rest, int line, Fields& fields)
{
    while (!rest.empty()) {
        std::string_view word = firstWord(rest, rest);
        const size_t equals = word.find('=');
        const std::string_view key = word.substr(0, equals);
        int field = 0;
        while (field < fieldCount && fieldNames[field] != key) ++field;
        if (equals == std::string_view::npos || field == fieldCount || (rule.allowed & bit(Field(field))) == 0) {
            return complaint(line, "unknown field " + quote(key) + " on a " + std::string(rule.word) + " line");
        }
        if (fields.has(Field(field))) return complaint(line, "field " + quote(key) + " given twice");
        fields.given |= bit(Field(field));
        fields.value[field] = word.substr(equals + 1);
    }
    for (int field = 0; field < fieldCount; ++field) {
        if ((rule.required & bit(Field(field))) != 0 && !fields.has(Field(field))) {
            return complaint(line, "a " + std::string(rule.word) + " line needs " + std::string(fieldNames[field]) + "=");
        }
    }
    return "";
}

std::string readPoint(const Fields& fields, int line, Vec3& point)
{
    std::string wrong = readVec3(fields.value[At], point);
    if (wrong.empty() && !withinReach(point)) wrong = tooFar();
    return wrong.empty() ? "" : complaint(line, At, wrong);
}

// Every choice of the builder's is set from the line, none carried over
// from the block before: a line says its block whole.
std::string readBlock(const Fields& fields, int line, BuilderState& s)
{
    s = BuilderState{};
    std::string wrong = readPoint(fields, line, s.cursor);
    if (!wrong.empty()) return wrong;

    wrong = readVec3(fields.value[Size], s.size);
    for (int axis = 0; wrong.empty() && axis < 3; ++axis) {
        if (!(s.size[axis] > 0.0f && s.size[axis] <= farthestCoordinate)) {
            wrong = "each side must be above 0 and at most " + std::to_string(int(farthestCoordinate));
        }
    }
    if (!wrong.empty()) return complaint(line, Size, wrong);

    wrong = readWord(fields.value[MaterialField], materials, s.material);
    if (!wrong.empty()) return complaint(line, MaterialField, wrong);
    if (fields.has(Grain)) {
        if (s.material != Material::Wood) return complaint(line, Grain, "only a wooden block has a grain");
        if (!readInt(fields.value[Grain], 0, grainCount - 1, s.grain)) {
            return complaint(line, Grain, "must be a whole number from 0 to " + std::to_string(grainCount - 1));
        }
    }
    if (fields.has(ShapeField)) {
        wrong = readWord(fields.value[ShapeField], shapes, s.shape);
        if (!wrong.empty()) return complaint(line, ShapeField, wrong);
    }
    s.opacity = s.material == Material::Glass ? glassOpacity : 1.0f;
    if (fields.has(Opacity) && !(readFloat(fields.value[Opacity], s.opacity) && s.opacity >= 0.0f && s.opacity <= 1.0f)) {
        return complaint(line, Opacity, "must be a number from 0 to 1");
    }
    if (fields.has(Flip)) {
        wrong = readWord(fields.value[Flip], yesNo, s.flipTexture);
        if (!wrong.empty()) return complaint(line, Flip, wrong);
    }

    if (fields.has(Travel)) {
        wrong = readVec3(fields.value[Travel], s.travel);
        for (int axis = 0; wrong.empty() && axis < 3; ++axis) {
            if (!(s.travel[axis] >= 0.0f)) wrong = "must not be below 0: the block moves from at= toward +x, +y, +z";
        }
        const Vec3 farEnd{s.cursor.x + s.travel.x, s.cursor.y + s.travel.y, s.cursor.z + s.travel.z};
        if (wrong.empty() && !withinReach(farEnd)) wrong = "the far end is " + tooFar();
        if (!wrong.empty()) return complaint(line, Travel, wrong);
    }
    if (fields.has(Velocity)) {
        wrong = readVec3(fields.value[Velocity], s.velocity);
        for (int axis = 0; wrong.empty() && axis < 3; ++axis) {
            if (!(std::fabs(s.velocity[axis]) <= fastestBlockSpeed)) {
                wrong = "at most " + std::to_string(int(fastestBlockSpeed)) + " units a second on each axis";
            } else if (s.velocity[axis] != 0.0f && s.travel[axis] == 0.0f) {
                wrong = "a speed on an axis with no travel";
            }
        }
        if (!wrong.empty()) return complaint(line, Velocity, wrong);
    }
    if (fields.has(StartField)) {
        wrong = readWord(fields.value[StartField], startEnds, s.startAtBase);
        if (!wrong.empty()) return complaint(line, StartField, wrong);
    }
    return "";
}

std::string readObject(Reader& r, const KindRule& rule, std::string_view rest, int line)
{
    Fields fields;
    std::string wrong = splitFields(rule, rest, line, fields);
    if (!wrong.empty()) return wrong;
    Course& course = r.builder.course;
    const size_t objects = course.blocks.size() + course.sizeOrbs.size() + course.checkpoints.size();
    const bool counted = rule.kind == Kind::Block || rule.kind == Kind::Orb || rule.kind == Kind::Checkpoint;
    if (counted && objects >= size_t(mostCourseObjects)) {
        return complaint(line, "more than " + std::to_string(mostCourseObjects) + " blocks, orbs and checkpoints");
    }

    Vec3 point;
    int ballSize = 1;
    if (rule.kind != Kind::Block) {
        wrong = readPoint(fields, line, point);
        if (!wrong.empty()) return wrong;
    }
    if (fields.has(Ball)) {
        wrong = readWord(fields.value[Ball], ballSizes, ballSize);
        if (!wrong.empty()) return complaint(line, Ball, wrong);
    }
    int* seenOn = rule.kind == Kind::Goal ? &r.goalLine : rule.kind == Kind::Start ? &r.startLine : nullptr;
    if (seenOn != nullptr && *seenOn != 0) {
        return complaint(line, "a second " + std::string(rule.word) + " line (the first is line " + std::to_string(*seenOn) + ")");
    }
    switch (rule.kind) {
    case Kind::Block:
        wrong = readBlock(fields, line, r.builder.builderState);
        if (wrong.empty()) stampBlock(r.builder);
        return wrong;
    case Kind::Orb: addSizeOrb(course, point, ballSize); break;
    case Kind::Checkpoint: addCheckpoint(course, point, ballSize); break;
    case Kind::Goal: course.goalPosition = point; break;
    case Kind::Start: course.start = point; break;
    }
    if (seenOn != nullptr) *seenOn = line;
    return "";
}

std::string readName(Reader& r, std::string_view rest, int line)
{
    if (rest.size() < 2 || rest.front() != '"' || rest.back() != '"') {
        return complaint(line, "the name goes in double quotes: name \"My Course\"");
    }
    const std::string_view name = rest.substr(1, rest.size() - 2);
    if (name.empty() || name.size() > size_t(longestCourseName)) {
        return complaint(line, "a name has 1 to " + std::to_string(longestCourseName) + " characters");
    }
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7f || c == '"') {
            return complaint(line, "a name is of printable ASCII characters other than '\"'");
        }
    }
    r.info.name = name;
    r.nameLine = line;
    return "";
}

std::string readLine(Reader& r, std::string_view text, int line)
{
    text = trimmed(withoutComment(text));
    std::string_view rest;
    const std::string_view word = firstWord(text, rest);
    if (line == 1) {
        if (word != formatName) {
            return complaint(line, "not a course file: the first line must be '" + std::string(formatName) + " " +
                                       std::string(formatVersion) + "'");
        }
        if (rest != formatVersion) {
            return complaint(line, "course format version " + quote(rest) + " is not one this game reads (" +
                                       std::string(formatVersion) + ")");
        }
        return "";
    }
    if (word.empty()) return "";
    for (const KindRule& rule : kindRules) {
        if (word == rule.word) return readObject(r, rule, rest, line);
    }
    if (word == "name" || word == "par") {
        const int seenOn = word == "name" ? r.nameLine : r.parLine;
        if (seenOn != 0) {
            return complaint(line, "a second " + std::string(word) + " line (the first is line " + std::to_string(seenOn) + ")");
        }
        if (word == "name") return readName(r, rest, line);
        if (!readInt(rest, 1, longestPar, r.info.par)) {
            return complaint(line, "par takes whole seconds from 1 to " + std::to_string(longestPar));
        }
        r.parLine = line;
        return "";
    }
    return complaint(line, "unknown line " + quote(word) + ": expected block, orb, checkpoint, goal, start, name or par");
}

void appendVec3(std::string& out, Field field, Vec3 value)
{
    out += ' ';
    out += fieldNames[field];
    out += '=';
    for (int axis = 0; axis < 3; ++axis) {
        if (axis > 0) out += ',';
        appendFloat(out, value[axis]);
    }
}

void appendWord(std::string& out, Field field, std::string_view word)
{
    out += ' ';
    out += fieldNames[field];
    out += '=';
    out += word;
}

// Zero as the reader fills an omitted field: -0 is written out, so that
// it too reads back to the same bits.
bool plainZero(Vec3 v)
{
    for (int axis = 0; axis < 3; ++axis) {
        if (v[axis] != 0.0f || std::signbit(v[axis])) return false;
    }
    return true;
}

void appendBlock(std::string& out, const Block& b)
{
    out += "block";
    appendVec3(out, At, b.basePosition);
    appendVec3(out, Size, b.size);
    appendWord(out, MaterialField, wordFor(materials, b.material));
    if (b.material == Material::Wood) appendWord(out, Grain, std::to_string(b.grain));
    if (b.shape != Shape::Box) appendWord(out, ShapeField, wordFor(shapes, b.shape));
    const float usualOpacity = b.material == Material::Glass ? glassOpacity : 1.0f;
    if (b.opacity != usualOpacity || std::signbit(b.opacity)) {
        out += " opacity=";
        appendFloat(out, b.opacity);
    }
    if (b.flipTexture) appendWord(out, Flip, "yes");
    if (!plainZero(b.travel)) appendVec3(out, Travel, b.travel);
    if (!plainZero(b.velocity)) appendVec3(out, Velocity, b.velocity);
    if (!b.startAtBase) appendWord(out, StartField, "far");
    out += '\n';
}

template <typename Item>
void appendItem(std::string& out, std::string_view word, const Item& item)
{
    out += word;
    appendVec3(out, At, item.position);
    appendWord(out, Ball, wordFor(ballSizes, item.sizeKind));
    out += '\n';
}

}  // namespace

std::string parseCourse(std::string_view text, Course& course, CourseInfo& info)
{
    if (text.substr(0, byteOrderMark.size()) == byteOrderMark) text.remove_prefix(byteOrderMark.size());
    Reader r;
    // No block line is shorter than "block at=0,0,0 size=1,1,1 material=none".
    const size_t shortestBlockLine = 40;
    r.builder.course.blocks.reserve(std::min(text.size() / shortestBlockLine + 1, size_t(mostCourseObjects)));
    int line = 0;
    size_t at = 0;
    // Lines end as any editor ends them: \n, \r\n or \r.
    while (at < text.size() || line == 0) {
        size_t end = text.find_first_of("\r\n", at);
        if (end == std::string_view::npos) end = text.size();
        ++line;
        std::string wrong = readLine(r, text.substr(at, end - at), line);
        if (!wrong.empty()) return wrong;
        at = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
    }
    if (r.nameLine == 0) return complaint(line, "the file ends with no name line: name \"My Course\"");
    if (r.startLine == 0) return complaint(line, "the file ends with no start line: start at=x,y,z");
    if (r.goalLine == 0) return complaint(line, "the file ends with no goal line: goal at=x,y,z");
    course = std::move(r.builder.course);
    info = std::move(r.info);
    return "";
}

std::string spellCourse(const Course& course, const CourseInfo& info)
{
    std::string out;
    out.reserve(96 * (course.blocks.size() + course.sizeOrbs.size() + course.checkpoints.size()) + 256);
    out += formatName;
    out += ' ';
    out += formatVersion;
    out += "\nname \"" + info.name + "\"\n";
    if (info.par > 0) out += "par " + std::to_string(info.par) + "\n";
    out += "start";
    appendVec3(out, At, course.start);
    out += "\ngoal";
    appendVec3(out, At, course.goalPosition);
    out += '\n';
    // A blank line before each kind of object.
    if (!course.blocks.empty()) out += '\n';
    for (const Block& block : course.blocks) appendBlock(out, block);
    if (!course.sizeOrbs.empty()) out += '\n';
    for (const SizeOrb& orb : course.sizeOrbs) appendItem(out, "orb", orb);
    if (!course.checkpoints.empty()) out += '\n';
    for (const Checkpoint& checkpoint : course.checkpoints) appendItem(out, "checkpoint", checkpoint);
    return out;
}
