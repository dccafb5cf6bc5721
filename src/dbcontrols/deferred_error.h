#pragma once
// Errors met where no box may open: while a view paints, or while a data set tells its
// listeners (a box there would run the event loop in the middle of either). They are shown
// in the error box as soon as the event loop runs again, each text once per turn.
#include <QString>

namespace trevo::controls {

void reportLater(const QString& text);

// Runs the step; an error it throws is reported later instead of leaving it. Returns false
// when it threw. engine::Aborted ends the step silently.
template <class F>
bool catchAndReportLater(F&& step);

// The German text of the exception being handled (inside a catch block), reported later.
void reportCurrentErrorLater();

template <class F>
bool catchAndReportLater(F&& step)
{
    try {
        step();
        return true;
    } catch (...) {
        reportCurrentErrorLater();
        return false;
    }
}

} // namespace trevo::controls
