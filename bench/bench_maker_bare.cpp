// The floor bench_maker compares brainloft-make's start with: a Qt Core program that makes its
// application object and prints one line.
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::puts("Usage: bench_maker_bare");
    return 0;
}
