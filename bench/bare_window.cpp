// A bare Qt 6 window, the yardstick for the program's start-up: a QMainWindow of the main
// window's size showing one line of text in the default font, and the event loop. The line
// matters: a window without text never sets up the fonts, which any real window does.
// "--empty" leaves the text out.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

#include <cstring>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(681, 533);
    if (argc < 2 || std::strcmp(argv[1], "--empty") != 0)
        window.setCentralWidget(new QLabel(QString::fromUtf8("请计算"), &window));
    window.show();
    window.activateWindow();
    return QApplication::exec();
}
