#include <QWidget>
#include <QString>
