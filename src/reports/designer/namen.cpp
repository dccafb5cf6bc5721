#include "reports/designer/namen.h"

namespace trevo::reports::designer {

QString bereichsName(BandKind kind)
{
    switch (kind) {
    case BandKind::Title: return QStringLiteral("Titel");
    case BandKind::PageHeader: return QStringLiteral("Seitenkopf");
    case BandKind::ColumnHeader: return QStringLiteral("Spaltenkopf");
    case BandKind::GroupHeader: return QStringLiteral("Gruppenkopf");
    case BandKind::Detail: return QStringLiteral("Detail");
    case BandKind::GroupFooter: return QStringLiteral("Gruppenfuß");
    case BandKind::Summary: return QStringLiteral("Zusammenfassung");
    case BandKind::PageFooter: return QStringLiteral("Seitenfuß");
    }
    return {};
}

QString elementArtName(ElementKind kind)
{
    switch (kind) {
    case ElementKind::Label: return QStringLiteral("Text");
    case ElementKind::Field: return QStringLiteral("Datenfeld");
    case ElementKind::Expr: return QStringLiteral("Ausdruck");
    case ElementKind::RichText: return QStringLiteral("Memo");
    case ElementKind::Text: return QStringLiteral("Mehrzeiliger Text");
    case ElementKind::Line: return QStringLiteral("Linie");
    case ElementKind::Rect: return QStringLiteral("Rechteck");
    case ElementKind::Picture: return QStringLiteral("Bild");
    case ElementKind::Grid: return QStringLiteral("Tabelle");
    }
    return {};
}

QString namensStamm(ElementKind kind)
{
    switch (kind) {
    case ElementKind::Label: return QStringLiteral("Text");
    case ElementKind::Field: return QStringLiteral("Feld");
    case ElementKind::Expr: return QStringLiteral("Ausdruck");
    case ElementKind::RichText: return QStringLiteral("Memo");
    case ElementKind::Text: return QStringLiteral("Zeilen");
    case ElementKind::Line: return QStringLiteral("Linie");
    case ElementKind::Rect: return QStringLiteral("Rechteck");
    case ElementKind::Picture: return QStringLiteral("Bild");
    case ElementKind::Grid: return QStringLiteral("Tabelle");
    }
    return {};
}

} // namespace trevo::reports::designer
