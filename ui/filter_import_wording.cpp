#include "filter_import_wording.h"

#include "measure/band_fit_report.h"

#include "platform/utf8_path.h"

#include "core/address_map.h"
#include "core/number_text.h"

namespace quorix::ui {

namespace {

using measure::LineProblem;
using measure::Written;

std::string Quoted(const std::string& word)
{
    return "“" + word + "”";
}

std::string LineProblemMessage(const measure::RefusedLine& r)
{
    switch (r.problem) {
    case LineProblem::NoState:
        return r.word.empty() ? "应为 ON 或 OFF" : "应为 ON 或 OFF，而不是" + Quoted(r.word);
    case LineProblem::NoType:
        return "缺少滤波器类型";
    case LineProblem::UnknownType:
        return "滤波器类型 " + r.word + " 没有对应的均衡频段（PK、LS、HS、LSC、HSC）";
    case LineProblem::ShelfSlopeUnit:
        return "搁架滤波器的斜率需要单位 dB";
    case LineProblem::BadBandwidth:
        return "带宽须为正的倍频程数";
    case LineProblem::MissingNumber:
        return Quoted(r.word) + "后缺少数值";
    case LineProblem::UnknownField:
        return "未知字段" + Quoted(r.word);
    case LineProblem::NoFrequency:
        return "缺少 Fc";
    case LineProblem::FrequencyRange:
        return "Fc " + Written(r.number) + " Hz 须大于 0 且不超过 " + Written(measure::kHighestHertz) + " Hz";
    case LineProblem::NoGain:
        return "缺少 Gain";
    case LineProblem::GainRange:
        return "Gain " + Written(r.number) + " dB 超出 ±" + Written(measure::kLargestGainDb) + " dB";
    case LineProblem::QRange:
        return "Q " + Written(r.number) + " 须大于 0 且不超过 " + Written(measure::kHighestQ);
    case LineProblem::SlopeRange:
        return "斜率 " + Written(r.number) + " dB 须大于 0 且不超过 " + Written(measure::kSteepestSlopeDb) + " dB";
    case LineProblem::PeakNeedsQ:
        return "峰值滤波器需要 Q";
    case LineProblem::ShelfNeedsQ:
        break;
    }
    return r.word + " 需要 Q";
}

std::string BandName(int address)
{
    return std::string(core::ParamName(address / 256, address % 256));
}

std::string FitMessage(const measure::BandFit& fit)
{
    switch (fit.refusal) {
    case measure::FitRefusal::None:
        break;
    case measure::FitRefusal::NoBands:
        return "本页没有均衡频段，没有导入任何滤波器。";
    case measure::FitRefusal::TooManyFilters:
        return "共 " + std::to_string(fit.filterCount) + " 个滤波器，但本页只有 " + std::to_string(fit.bandCount) +
               " 个均衡频段，没有导入任何滤波器。";
    }
    std::string text;
    for (const measure::FittedBand& b : fit.fitted)
        text += BandName(b.address) + "：第 " + std::to_string(b.requested.line) + " 行 " +
                measure::RequestedText(b.requested) + " → " + measure::StoredText(b.band) + "\n";
    if (!fit.flattened.empty()) {
        text += "设为 0 dB：";
        for (std::size_t i = 0; i < fit.flattened.size(); ++i)
            text += (i == 0 ? "" : "、") + BandName(fit.flattened[i]);
        text += "\n";
    }
    return text + "20 Hz 至 20 kHz 之间的最大偏差：" + core::FormatFixed(fit.largestDifferenceDb, 2) + " dB（" +
           core::FormatFixed(fit.atHertz, fit.atHertz < 100 ? 1 : 0) + " Hz）";
}

} // namespace

std::string FilterImportMessage(const measure::FilterImport& imported, const std::filesystem::path& path)
{
    const std::string name = platform::PathToUtf8(path);
    switch (imported.fileProblem) {
    case core::SmallFileProblem::None:
        break;
    case core::SmallFileProblem::Unreadable:
        return "无法读取文件：" + name;
    case core::SmallFileProblem::NotARegularFile:
        return name + " 不是普通文件。";
    case core::SmallFileProblem::TooLarge:
        return name + " 太大，不是滤波器列表。";
    }
    if (!imported.refused.empty()) {
        std::string text;
        for (const measure::RefusedLine& r : imported.refused)
            text += "第 " + std::to_string(r.line) + " 行：" + LineProblemMessage(r) + "\n";
        return text + "没有导入任何滤波器。";
    }
    if (imported.noFilterOn)
        return "文件中没有开启的滤波器。";
    return FitMessage(imported.fit);
}

} // namespace quorix::ui
