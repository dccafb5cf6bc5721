#pragma once
// The dialog service with real Qt boxes and German button texts.
#include "dbcontrols/dialogs.h"

namespace trevo::controls {

class QtDialogs : public Dialogs {
public:
    Answer show(BoxKind kind, const QString& text, Buttons buttons) override;
    std::optional<QString> openFileName(const QString& caption, const QString& folder,
                                        const QString& filter) override;
    std::optional<QString> saveFileName(const QString& caption, const QString& folder,
                                        const QString& filter) override;
    std::optional<QString> chooseFolder(const QString& preset) override;
};

} // namespace trevo::controls
