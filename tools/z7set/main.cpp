// z7set: the engineering window for Z7 and Z3 controllers.
#include "app/Files.h"
#include "app/ui/QtDialogs.h"
#include "app/ui/TZ7set1.h"

#include <QApplication>

#include <clocale>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // Qt takes the whole locale from the environment; dates follow the user, numbers in files never do.
    std::setlocale(LC_NUMERIC, "C");
    std::setlocale(LC_TIME, "");

    QtDialogs dialogs;
    TZ7set1 window(dialogs, z7::programDirectory());
    dialogs.setParent(&window);
    window.show();
    return application.exec();
}
