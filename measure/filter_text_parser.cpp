#include "filter_text_parser.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>

namespace quorix::measure {

namespace {

bool IsNumberChar(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == ',' || c == '-' || c == '+';
}

std::string Upper(std::string_view word)
{
    std::string out(word);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// Words split at blanks and where a number meets a unit ("12dB", "125Hz").
std::vector<std::string> Words(std::string_view text)
{
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size()) {
        if (std::isspace(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        const bool number = IsNumberChar(text[i]);
        const std::size_t start = i;
        while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i])) && IsNumberChar(text[i]) == number)
            ++i;
        words.emplace_back(text.substr(start, i - start));
    }
    return words;
}

std::optional<double> Number(std::string word)
{
    for (char& c : word)
        if (c == ',')
            c = '.';
    const char* first = word.data() + (!word.empty() && word[0] == '+' ? 1 : 0);
    double value = 0;
    const auto [end, error] = std::from_chars(first, word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The text after "Filter", an optional number and the colon; nothing when the line is no filter line.
std::optional<std::string_view> FilterBody(std::string_view line)
{
    std::size_t i = 0;
    while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i])))
        ++i;
    if (Upper(line.substr(i, 6)) != "FILTER")
        return std::nullopt;
    i += 6;
    while (i < line.size() &&
           (std::isspace(static_cast<unsigned char>(line[i])) || std::isdigit(static_cast<unsigned char>(line[i]))))
        ++i;
    if (i >= line.size() || line[i] != ':')
        return std::nullopt;
    return line.substr(i + 1);
}

struct LineReading {
    std::optional<RequestedFilter> filter; // empty and not refused: a line to skip
    std::optional<RefusedLine> refused;
};

LineReading Refuse(LineProblem problem, std::string word = {}, double number = 0)
{
    return {std::nullopt, RefusedLine{0, problem, std::move(word), number}};
}

LineReading ReadFilter(std::string_view body, int lineNumber)
{
    const std::vector<std::string> words = Words(body);
    if (words.empty())
        return Refuse(LineProblem::NoState);
    const std::string state = Upper(words[0]);
    if (state == "OFF")
        return {};
    if (state != "ON")
        return Refuse(LineProblem::NoState, words[0]);
    if (words.size() < 2)
        return Refuse(LineProblem::NoType);
    const std::string type = Upper(words[1]);
    if (type == "NONE")
        return {};
    RequestedFilter f;
    f.line = lineNumber;
    if (type == "PK" || type == "PEQ")
        f.shape = FilterShape::Peaking;
    else if (type == "LS" || type == "LSC")
        f.shape = FilterShape::LowShelf;
    else if (type == "HS" || type == "HSC")
        f.shape = FilterShape::HighShelf;
    else
        return Refuse(LineProblem::UnknownType, words[1]);
    f.form = ShelfForm::Unstated;
    std::optional<double> frequency, gain, q, slope;
    std::size_t i = 2;
    const auto unit = [&](const char* name) {
        if (i < words.size() && Upper(words[i]) == name)
            ++i;
    };
    while (i < words.size()) {
        const std::string key = Upper(words[i]);
        const std::optional<double> value = i + 1 < words.size() ? Number(words[i + 1]) : std::nullopt;
        if (const auto bare = Number(words[i]); bare && f.shape != FilterShape::Peaking && i == 2) {
            ++i;
            if (i >= words.size() || Upper(words[i]) != "DB")
                return Refuse(LineProblem::ShelfSlopeUnit);
            ++i;
            slope = bare;
            continue;
        }
        if (key == "BW" && i + 2 < words.size() && Upper(words[i + 1]) == "OCT") {
            const std::optional<double> octaves = Number(words[i + 2]);
            if (!octaves || *octaves <= 0)
                return Refuse(LineProblem::BadBandwidth);
            // The cookbook's bandwidth to Q, on the analogue prototype.
            const double span = std::pow(2.0, *octaves);
            q = std::sqrt(span) / (span - 1);
            i += 3;
            continue;
        }
        if (!value)
            return Refuse(LineProblem::MissingNumber, words[i]);
        i += 2;
        if (key == "FC") {
            frequency = *value;
            if (i < words.size() && Upper(words[i]) == "KHZ") {
                *frequency *= 1000;
                ++i;
            }
            unit("HZ");
        } else if (key == "GAIN") {
            gain = value;
            unit("DB");
        } else if (key == "Q") {
            q = value;
        } else {
            return Refuse(LineProblem::UnknownField, words[i - 2]);
        }
    }
    if (!frequency)
        return Refuse(LineProblem::NoFrequency);
    if (!(*frequency > 0 && *frequency <= kHighestHertz))
        return Refuse(LineProblem::FrequencyRange, {}, *frequency);
    if (!gain)
        return Refuse(LineProblem::NoGain);
    if (!(std::abs(*gain) <= kLargestGainDb))
        return Refuse(LineProblem::GainRange, {}, *gain);
    if (q && !(*q > 0 && *q <= kHighestQ)) // a bandwidth of nothing gives no number
        return Refuse(LineProblem::QRange, {}, *q);
    if (slope && !(*slope > 0 && *slope <= kSteepestSlopeDb))
        return Refuse(LineProblem::SlopeRange, {}, *slope);
    if (f.shape == FilterShape::Peaking && !q)
        return Refuse(LineProblem::PeakNeedsQ);
    if ((type == "LSC" || type == "HSC") && !q && !slope)
        return Refuse(LineProblem::ShelfNeedsQ, type);
    f.frequency = *frequency;
    f.gainDb = *gain;
    if (q) {
        f.q = *q;
        f.form = ShelfForm::Q;
    } else if (slope) {
        f.slopeDb = *slope;
        f.form = ShelfForm::SlopeDb;
    }
    return {f, {}};
}

} // namespace

std::string Written(double value)
{
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return std::string(text, error == std::errc{} ? end : text);
}

std::string LineProblemText(const RefusedLine& r)
{
    switch (r.problem) {
    case LineProblem::NoState:
        return r.word.empty() ? "ON or OFF expected" : "ON or OFF expected, not \"" + r.word + "\"";
    case LineProblem::NoType:
        return "filter type missing";
    case LineProblem::UnknownType:
        return "filter type " + r.word + " has no equaliser band (PK, LS, HS, LSC, HSC)";
    case LineProblem::ShelfSlopeUnit:
        return "a shelf slope needs \"dB\"";
    case LineProblem::BadBandwidth:
        return "a positive bandwidth in octaves is needed";
    case LineProblem::MissingNumber:
        return "a number is missing after \"" + r.word + "\"";
    case LineProblem::UnknownField:
        return "unknown field \"" + r.word + "\"";
    case LineProblem::NoFrequency:
        return "Fc is missing";
    case LineProblem::FrequencyRange:
        return "Fc " + Written(r.number) + " Hz is not above 0 and at most " + Written(kHighestHertz) + " Hz";
    case LineProblem::NoGain:
        return "Gain is missing";
    case LineProblem::GainRange:
        return "Gain " + Written(r.number) + " dB is beyond ±" + Written(kLargestGainDb) + " dB";
    case LineProblem::QRange:
        return "Q " + Written(r.number) + " is not above 0 and at most " + Written(kHighestQ);
    case LineProblem::SlopeRange:
        return "slope " + Written(r.number) + " dB is not above 0 and at most " + Written(kSteepestSlopeDb) + " dB";
    case LineProblem::PeakNeedsQ:
        return "a peaking filter needs Q";
    case LineProblem::ShelfNeedsQ:
        break;
    }
    return r.word + " needs Q";
}

FilterText ParseFilterText(std::string_view text)
{
    FilterText result;
    int lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        ++lineNumber;
        const auto body = FilterBody(line);
        if (!body)
            continue;
        LineReading reading = ReadFilter(*body, lineNumber);
        if (reading.filter)
            result.filters.push_back(*reading.filter);
        else if (reading.refused) {
            reading.refused->line = lineNumber;
            result.refused.push_back(std::move(*reading.refused));
        }
    }
    return result;
}

} // namespace quorix::measure
