// The baselines of the start-up benchmark, windows of the main window's size
// and title:
//   bare_qt_window            an empty window, the least any Qt program can do
//   bare_qt_window controls   the same kinds of controls as the main window, in
//                             the same font, holding nothing: what Qt itself
//                             costs for them, apart from anything KESTRIX does
#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QWidget>
#include <cstring>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle("KESTRIX");
    // The main window's client area, 5730 x 4500 twips at 15 twips a pixel.
    window.setFixedSize(382, 300);
    if (argc > 1 && std::strcmp(argv[1], "controls") == 0) {
        QFont font("Liberation Sans");
        font.setPointSize(8);
        window.setFont(font);
        (new QLabel("Select your main UT Directory", &window))->setGeometry(72, 8, 249, 17);
        (new QListView(&window))->setGeometry(64, 32, 249, 156);
        (new QComboBox(&window))->setGeometry(64, 200, 169, 21);
        (new QPushButton("Exit", &window))->setGeometry(40, 248, 81, 33);
        (new QPushButton("Uninstall Umod", &window))->setGeometry(144, 248, 81, 33);
        (new QPushButton("Install Umod", &window))->setGeometry(248, 248, 81, 33);
    }
    window.show();
    return QApplication::exec();
}
