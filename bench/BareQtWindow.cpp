// The baseline of the start-up benchmark: an empty Qt window of the main
// window's size and title, which is the least any Qt program of it can do.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle("KESTRIX");
    // The main window's client area, 5730 x 4500 twips at 15 twips a pixel.
    window.setFixedSize(382, 300);
    window.show();
    return QApplication::exec();
}
