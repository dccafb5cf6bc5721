#pragma once
// Small helpers shared by the dialogs of this layer.
#include <QString>

#include <string>

class QDialog;
class QListWidget;
class QPushButton;
class QWidget;

namespace trevo::shell::stammdaten {

inline QString qs(const std::string& s) { return QString::fromStdString(s); }
inline std::string ss(const QString& s) { return s.toStdString(); }

// Fixes the dialog at the size its layout asks for and centres it on the screen.
void festUndZentriert(QDialog& dialog);

// A push button with the object name and text.
QPushButton* knopf(QWidget* parent, const char* name, const QString& text);

// The selected row of a list, -1 for none.
int auswahl(const QListWidget& list);

} // namespace trevo::shell::stammdaten
