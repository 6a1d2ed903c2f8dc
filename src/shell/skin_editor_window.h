// frmSkinEditor: a skin file as two lists kept in step, keywords on the left and their
// parameters on the right, one line edited at a time in the line field. Comments and empty
// lines are rows of their own; lines that mean nothing to a skin are dropped. "Save and Reload
// Skin" writes the rows back in order and reloads the skin.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "app/application.h"
#include "platform/platform.h"
#include "ui/dialog.h"

namespace quavero::shell {

inline constexpr char kCommentKeyword[] = "  comment";

class SkinEditorWindow : public ui::Dialog, public std::enable_shared_from_this<SkinEditorWindow> {
 public:
  static constexpr char kCaption[] = "Skin Configuration Editor";
  explicit SkinEditorWindow(app::Application& app);

  // Reads the skin file into rows and shows the window.
  void LoadSkin(const std::string& path);
  void ProcessLine(const std::string& line);
  // Empty, or starting with "//", "\\" or "'".
  static bool IsComment(std::string_view line);

  void OnClick(const std::string& control) override;
  void OnChange(const std::string& control) override;
  void OnScroll(const std::string& control) override;

  void lstCommands_Click() { SelectRow("lstCommands", "lstParams"); }
  void lstParams_Click() { SelectRow("lstParams", "lstCommands"); }
  void txtLine_Change();
  void cmdAdd_Click();
  void cmdRemvoe_Click();
  void cmdReload_Click();

  int rows() { return static_cast<int>(control("lstCommands").items.size()); }
  const std::string& path() const { return path_; }

 private:
  void SelectRow(const char* clicked, const char* other);
  void AddRow(const std::string& keyword, const std::string& parameter);
  // The keyword and parameter of a line, false when it makes no row.
  static bool SplitLine(const std::string& line, std::string& keyword, std::string& parameter);
  std::string FileText();

  app::Application& app_;
  std::string path_;
  platform::Encoding encoding_ = platform::Encoding::kCodePage;
};

}  // namespace quavero::shell
