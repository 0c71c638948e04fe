// The dialogs of a program with windows: message boxes, input boxes and file
// dialogs with Japanese buttons.
#pragma once

#include "common/Dialogs.h"

class QWidget;

namespace zotra {

class WindowDialogs : public Dialogs {
 public:
  Button Message(const MessageBox& box) override;
  std::optional<QString> Input(const QString& title, const QString& prompt, const QString& defaultText) override;
  std::optional<QString> OpenFile(const FileDialogRequest& request) override;
  std::optional<QString> SaveFile(const FileDialogRequest& request) override;
  int Choose(const ChoiceRequest& request) override;
};

// Turns a filter of the form "Text (*.txt)|*.txt|All (*.*)|*.*" into the
// filters of a file dialog ("Text (*.txt)", "All (*.*)").
QStringList DialogFilters(const QString& filter);

}  // namespace zotra
