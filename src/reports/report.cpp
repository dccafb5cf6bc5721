#include "reports/report.h"

#include "engine/core/error.h"
#include "reports/render/painter.h"
#include "reports/render/pdf_output.h"
#include "reports/render/renderer.h"

#include <QFileInfo>

namespace trevo::reports {

Report::Report(engine::Database& db, engine::Session& session) : db_(db), session_(session) {}

Report::~Report() = default;

bool Report::fail(const QString& text)
{
    error_ = text;
    return false;
}

// Runs f; an error it throws becomes the error text "what: reason".
template <class F>
bool Report::guarded(const QString& what, F&& f)
{
    try {
        f();
        error_.clear();
        return true;
    } catch (const engine::Aborted&) {
        return fail(QString());
    } catch (const engine::EngineError& e) {
        return fail(what + QString::fromUtf8(e.what()));
    } catch (const std::exception& e) {
        return fail(what + QStringLiteral("interner Fehler (") + QString::fromUtf8(e.what()) + u')');
    }
}

bool Report::load(const QString& path)
{
    return finishLoad(readLayoutFile(path), QFileInfo(path).fileName());
}

bool Report::loadBytes(const QByteArray& bytes, const QString& fileName)
{
    return finishLoad(readLayout(bytes, fileName), fileName);
}

bool Report::setLayout(Layout layout, const QString& name)
{
    LayoutReadResult read;
    read.layout = std::make_unique<Layout>(std::move(layout));
    return finishLoad(std::move(read), name);
}

bool Report::finishLoad(LayoutReadResult read, const QString& fileName)
{
    layout_.reset();
    hooks_.clearBeforePrint();
    printout_ = {};
    rendered_ = false;
    fileName_ = fileName;
    if (!read.ok()) return fail(read.error);
    layout_ = std::move(*read.layout);
    if (!afterLoad_) return guarded({}, [] {});
    const bool ok = guarded(QStringLiteral("Der Bericht %1 kann nicht vorbereitet werden: ").arg(fileName),
                            [&] { afterLoad_(*this); });
    if (!ok) layout_.reset();
    return ok;
}

void Report::setCopies(int copies)
{
    if (layout_) layout_->copies = std::clamp(copies, 1, 99);
}

bool Report::render()
{
    if (!layout_) return fail(QStringLiteral("Es ist kein Bericht geladen."));
    rendered_ = false;
    const bool ok = guarded(QStringLiteral("Der Bericht %1 kann nicht erstellt werden: ").arg(fileName_), [&] {
        ReportData data(db_, session_, folder_);
        printout_ = renderReport(*layout_, data, hooks_);
    });
    rendered_ = ok;
    return ok;
}

bool Report::renderToPdf(const QString& path)
{
    if (!rendered_ && !render()) return false;
    QString error;
    const QString title = layout_->description.isEmpty() ? fileName_ : layout_->description.front();
    return writePdf(printout_, path, &error, title) || fail(error);
}

bool Report::print(QPagedPaintDevice& device)
{
    if (!rendered_ && !render()) return false;
    printout_.copies = copies();
    prepareDevice(printout_, device);
    if (paintPrintout(printout_, device)) return true;
    return fail(QStringLiteral("Der Bericht %1 kann nicht gedruckt werden.").arg(fileName_));
}

} // namespace trevo::reports
