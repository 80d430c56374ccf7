#include "common/program.h"
#include "quorlen/quorlenwindow.h"

int main(int argc, char* argv[]) {
    return common::runProgram<quorlen::QuorlenWindow>(argc, argv);
}
