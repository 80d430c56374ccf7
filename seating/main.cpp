#include "program.h"
#include "window.h"

int main(int argc, char* argv[]) {
    return common::runProgram<quorlen::Form1>(argc, argv);
}
