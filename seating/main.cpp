#include "program.h"
#include "window.h"

int main(int argc, char* argv[]) {
    return common::runProgram<quorlen::QuorlenWindow>(argc, argv);
}
