#include "ConverterApp.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    veltrano::CConverterApp converter;
    return converter.InitInstance();
}
