// The file-kind controls: the two radio buttons that choose all files or the
// listed extensions, and the extension list with its field and buttons.
#pragma once

#include <string>
#include <vector>

#include "ui/WindowView.h"

namespace pagelark::ui {

// Longest extension that the add button accepts, in bytes.
inline constexpr std::size_t kMaxKindBytes = 63;

class KindEditor {
 public:
  explicit KindEditor(WindowView& view) : view_(view) {}

  // All files: the list, its field and both buttons are greyed (their
  // contents stay). Select kinds: they are enabled.
  void OnAllFiles();
  void OnSelectKinds();

  // Adds the text of the field as typed, refusing an empty text, a text over
  // kMaxKindBytes and one already listed (letter case aside).
  void OnAddKind();
  // Deletes the selected line.
  void OnDeleteKind();

  std::vector<std::string> Kinds();
  void SetKinds(const std::vector<std::string>& kinds);

 private:
  void EnableEditor(bool enabled);
  bool IsListed(const std::string& kind);

  WindowView& view_;
};

}  // namespace pagelark::ui
