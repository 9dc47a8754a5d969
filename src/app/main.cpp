#include <QApplication>
#include <QMainWindow>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("glypharo 1.0.1");
            return 0;
        }
    }
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("Glypharo by Vexmoor Software"));
    w.resize(772, 535);
    w.show();
    return app.exec();
}
