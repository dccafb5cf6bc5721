#pragma once
// The dialog service with real Qt boxes and German button texts.
#include "common/dialogs/dialogs.h"

namespace trevo::controls {

class QtDialogs : public common::Dialogs {
public:
    common::Answer show(common::BoxKind kind, const QString& text, common::Buttons buttons) override;
    std::optional<QString> openFileName(const QString& caption, const QString& folder,
                                        const QString& filter) override;
    std::optional<QString> saveFileName(const QString& caption, const QString& folder,
                                        const QString& filter) override;
    std::optional<QString> chooseFolder(const QString& preset) override;
};

} // namespace trevo::controls
