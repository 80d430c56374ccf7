// The rules reader on any bytes a file may hold: it ends, it tells at most
// one problem a line, every rule it reads names a pupil (two different ones
// for a pair), and what it read is written and read back as it was, when its
// names are GBK's.

#include "common/ansitext.h"
#include "fuzz/fuzzcheck.h"
#include "seating/rules.h"

using namespace quorlen;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzzBytes(data, size);
    const ReadRules read = readRulesFile(bytes);
    FUZZ_CHECK(read.problems.size() <= bytes.count('\n') + 1);
    bool gbk = true;
    for (const Rule& rule : read.rules) {
        FUZZ_CHECK(!rule.first.isEmpty() && rule.first != rule.second);
        FUZZ_CHECK((rule.kind == RuleKind::Front) == rule.second.isEmpty());
        for (const QString& name : {rule.first, rule.second})
            gbk = gbk && common::fromAnsi(common::toAnsi(name)) == name;
    }
    Classroom room;
    room.rules = read.rules;
    room.fixed = read.fixed;
    const ReadRules again = readRulesFile(rulesFileBytes(room));
    FUZZ_CHECK(again.fixed == read.fixed);
    if (gbk)
        FUZZ_CHECK(again.rules == read.rules && again.problems.isEmpty());
    return 0;
}
