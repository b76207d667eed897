#include "app/Program.h"
#include "app/Services.h"
#include "app/TForm1.h"
#include "widgets/Look.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char** argv) {
    pinLocalTimeZone();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Slantvis"));
    QApplication::setApplicationDisplayName(QStringLiteral("Slantvis"));
    QLocale::setDefault(QLocale::system());
    look::apply(app);

    Program program(ProgramOptions{});
    program.createWindows();
    program.form1->show();
    if (!program.started)
        return 1;
    return QApplication::exec();
}
