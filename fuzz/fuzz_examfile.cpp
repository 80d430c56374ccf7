// The exam file, from any bytes: a file refused gives no exam, and an exam
// read is written and read back the same.

#include "exams/examfile.h"
#include "fuzz/fuzzcheck.h"

using namespace exams;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const OpenedExam opened = readExamFile(fuzzBytes(data, size));
    if (!opened.error.isEmpty()) {
        FUZZ_CHECK(opened.exam == Exam{});
        return 0;
    }
    const OpenedExam again = readExamFile(examFileBytes(opened.exam));
    FUZZ_CHECK(again.error.isEmpty() && again.exam == opened.exam);
    return 0;
}
