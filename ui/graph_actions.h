#pragma once

#include "core/prompter.h"

#include <QImage>

#include <filesystem>
#include <functional>
#include <string_view>

namespace quorix::core {
class ParamEditor;
} // namespace quorix::core

namespace quorix::ui {

class ConsoleServices;

// The actions of the response graph's context menu.
enum class GraphAction { ImportFilters, SavePicture, SaveCurves, PrintReport };

// What the actions need of the graph on screen.
struct GraphView {
    // Automatic mode control holds the page's equaliser.
    std::function<bool()> locked;
    // The graph drawn at `scale` times the screen's resolution.
    std::function<QImage(int scale)> picture;
    std::function<int()> width;
};

// The file to write for a name chosen in the dialog: a name without an extension
// gets the first extension of `filter` ("PNG 图片 (*.png)" gives ".png").
std::filesystem::path WithFilterExtension(std::filesystem::path chosen, std::string_view filter);

// The response graph's menu actions as plain calls: importing a measurement
// tool's filters, saving the picture and the curves, printing the report.
class GraphActions {
public:
    GraphActions(ConsoleServices& services, core::ParamEditor& edits, core::Prompter& prompter, GraphView view);

    // Asks for the file, then runs the action on it.
    void run(GraphAction action);

    // Fits a measurement tool's filters to the page's bands through the edit path,
    // as one undo step; the fit is shown either way.
    bool importFilters(const std::filesystem::path& file);
    // The graph at twice the screen's resolution, as PNG.
    bool savePicture(const std::filesystem::path& file);
    // The page's curves as quorix-cli response writes them, on the graph's own points.
    bool saveCurves(const std::filesystem::path& file);
    // The tuning report of the store, as quorix-cli report writes it, as PDF.
    bool printReport(const std::filesystem::path& file);

private:
    bool saveBytes(const std::filesystem::path& file, std::string_view bytes);

    ConsoleServices& m_services;
    core::ParamEditor& m_edits;
    core::Prompter& m_prompter;
    GraphView m_view;
};

// The menu's entries in menu order: the text, the files the file dialog offers, whether the
// action writes the file (a name without an extension gets the filter's), and whether a
// separator follows.
struct GraphMenuEntry {
    GraphAction action;
    std::string_view text;
    std::string_view filter;
    bool save;
    bool separatorAfter;
};
inline constexpr GraphMenuEntry kGraphMenu[] = {
    {GraphAction::ImportFilters, "导入滤波器…", "滤波器文本 (*.txt);;所有文件 (*)", false, true},
    {GraphAction::SavePicture, "保存图片…", "PNG 图片 (*.png)", true, false},
    {GraphAction::SaveCurves, "导出曲线…", "CSV 表格 (*.csv)", true, true},
    {GraphAction::PrintReport, "打印报告…", "PDF 文档 (*.pdf)", true, false},
};

} // namespace quorix::ui
