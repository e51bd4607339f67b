#include "shell/app/CorvaneApp.h"

int main(int argc, char** argv) {
    return runCorvane(argc, argv);
}
