#include "shell/skin_editor_window.h"

#include "base/failure.h"
#include "base/lines.h"
#include "base/text.h"

namespace quavero::shell {
namespace {

using ui::DialogControlKind;

}  // namespace

SkinEditorWindow::SkinEditorWindow(app::Application& app) : ui::Dialog(kCaption, 330, 214), app_(app) {
  Add("lstCommands", DialogControlKind::kListBox, "", 7, 7, 110, 160);
  Add("lstParams", DialogControlKind::kListBox, "", 119, 7, 204, 160);
  Add("txtLine", DialogControlKind::kTextBox, "", 7, 172, 316, 13);
  Add("cmdAdd", DialogControlKind::kButton, "Add Command", 7, 192, 70, 15);
  Add("cmdRemvoe", DialogControlKind::kButton, "Remove Command", 81, 192, 70, 15);
  Add("cmdReload", DialogControlKind::kButton, "Save and Reload Skin", 223, 192, 100, 15);
}

bool SkinEditorWindow::IsComment(std::string_view line) {
  return line.empty() || line.substr(0, 2) == "//" || line.substr(0, 2) == "\\\\" ||
         line.front() == '\'';
}

bool SkinEditorWindow::SplitLine(const std::string& line, std::string& keyword,
                                 std::string& parameter) {
  size_t equals = line.find('=');
  if (equals == std::string::npos || equals == 0) return false;
  keyword = line.substr(0, equals);
  parameter = line.substr(equals + 1);
  if (parameter.empty()) parameter = "NONE";
  return true;
}

// A failure reading the file is reported and the window shows anyway, empty.
void SkinEditorWindow::LoadSkin(const std::string& path) {
  path_ = path;
  try {
    platform::TextFile file = app_.platform().files().ReadText(path);
    encoding_ = file.encoding;
    for (const auto& line : lines::SplitLines(file.text)) ProcessLine(line);
  } catch (const Failure& failure) {
    app_.platform().windows().ShowMessageBox(
        "There was an error in LoadSkin\r\nErr " + std::to_string(failure.number()) + ": " +
            failure.description(),
        "Error!", platform::Icon::kCritical, platform::Buttons::kOk);
  }
  app_.ShowDialog(shared_from_this());
}

void SkinEditorWindow::ProcessLine(const std::string& line) {
  std::string keyword, parameter;
  if (IsComment(line)) AddRow(kCommentKeyword, line);
  else if (SplitLine(line, keyword, parameter)) AddRow(keyword, parameter);
}

void SkinEditorWindow::AddRow(const std::string& keyword, const std::string& parameter) {
  control("lstCommands").items.push_back(keyword);
  control("lstParams").items.push_back(parameter);
}

void SkinEditorWindow::OnClick(const std::string& name) {
  if (name == "lstCommands") lstCommands_Click();
  else if (name == "lstParams") lstParams_Click();
  else if (name == "cmdAdd") cmdAdd_Click();
  else if (name == "cmdRemvoe") cmdRemvoe_Click();
  else if (name == "cmdReload") cmdReload_Click();
}

void SkinEditorWindow::OnChange(const std::string& name) {
  if (name == "txtLine") txtLine_Change();
}

// Scrolling either list scrolls the other to the same top row.
void SkinEditorWindow::OnScroll(const std::string& name) {
  const char* other = name == "lstCommands" ? "lstParams" : "lstCommands";
  SetTopIndex(other, control(name).top_index);
}

void SkinEditorWindow::SelectRow(const char* clicked, const char* other) {
  int row = control(clicked).list_index;
  SetListIndex(other, row);
  SetTopIndex(other, control(clicked).top_index);
  if (row < 0) return;
  const std::string& keyword = control("lstCommands").items[static_cast<size_t>(row)];
  const std::string& parameter = control("lstParams").items[static_cast<size_t>(row)];
  SetText("txtLine", keyword == kCommentKeyword ? parameter : keyword + "=" + parameter);
}

void SkinEditorWindow::txtLine_Change() {
  int row = control("lstCommands").list_index;
  if (row < 0) return;
  const std::string& line = control("txtLine").text;
  std::string keyword, parameter;
  if (IsComment(line)) {
    keyword = kCommentKeyword;
    parameter = line;
  } else if (!SplitLine(line, keyword, parameter)) {
    return;
  }
  control("lstCommands").items[static_cast<size_t>(row)] = keyword;
  control("lstParams").items[static_cast<size_t>(row)] = parameter;
}

void SkinEditorWindow::cmdAdd_Click() {
  AddRow("new command", "new param");
  SetListIndex("lstCommands", rows() - 1);
}

void SkinEditorWindow::cmdRemvoe_Click() {
  int row = control("lstCommands").list_index;
  if (row < 0) return;
  RemoveItem("lstCommands", row);
  RemoveItem("lstParams", row);
}

std::string SkinEditorWindow::FileText() {
  const auto& keywords = control("lstCommands").items;
  const auto& parameters = control("lstParams").items;
  std::string text;
  for (size_t i = 0; i < keywords.size(); ++i) {
    if (keywords[i] == kCommentKeyword) text += parameters[i] + "\r\n";
    else if (!keywords[i].empty()) text += keywords[i] + "=" + parameters[i] + "\r\n";
  }
  return text;
}

// The file is replaced whole in one step and keeps the encoding it was read in; when it
// cannot be written the user hears why and the rows stay as they were edited.
void SkinEditorWindow::cmdReload_Click() {
  try {
    app_.platform().files().WriteText(path_, {FileText(), encoding_});
  } catch (const Failure& failure) {
    app_.platform().windows().ShowMessageBox(
        "The skin file " + path_ + " could not be saved: " + failure.description() +
            "\r\nYour changes are still in the editor.",
        kCaption, platform::Icon::kExclamation, platform::Buttons::kOk);
    return;
  }
  app_.ReloadEditedSkin(text::FolderOf(path_));
}

}  // namespace quavero::shell
