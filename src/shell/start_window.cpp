#include "shell/start_window.h"

#include "shell/please_wait_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace trevo::shell {

namespace {

QLabel* band(const QString& text, const QString& style, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
    label->setStyleSheet(style);
    return label;
}

} // namespace

StartWindow::StartWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Startform"));
    setWindowTitle(QStringLiteral("Trevo"));
    setFixedSize(462, 178);

    auto* title = band(QStringLiteral("Trevo V1.14"),
                       QStringLiteral("background:#000080; color:#ffff00; font-family:Arial; font-weight:bold;"
                                      " font-size:30px;"),
                       this);
    auto* wait = band(QStringLiteral("Bitte warten ..."), QStringLiteral("font-size:14px;"), this);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    StatusLabel = new QLabel(this);
    StatusLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatusLabel->setMinimumWidth(170);

    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(8, 4, 8, 8);
    bottom->addWidget(ProgressBar1, 1);
    bottom->addWidget(StatusLabel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(title, 3);
    layout->addWidget(wait, 2);
    layout->addLayout(bottom);
}

void StartWindow::StartSchritt(const QString& text)
{
    StatusLabel->setText(text);
    if (isVisible()) paintNow(this);
}

void StartWindow::setProgress(int value)
{
    ProgressBar1->setValue(value);
    if (isVisible()) paintNow(this);
}

int StartWindow::progress() const
{
    return ProgressBar1->value();
}

QString StartWindow::stepText() const
{
    return StatusLabel->text();
}

} // namespace trevo::shell
