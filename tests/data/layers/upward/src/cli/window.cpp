#include <QDialog>
#include <QString>
