#include "brasset/commandline.h"

#include "common/safefile.h"
#include "common/seed.h"
#include "exams/arrange.h"
#include "exams/candidates.h"
#include "exams/outputs.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTextStream>
#include <functional>
#include <map>
#include <optional>
#include <variant>

namespace exams {

namespace {

// A wrong argument or a failure, told in plain Chinese.
struct Failure {
    int code;
    QString message;
};

struct Request {
    QString file;
    Settings settings;
    bool seedGiven = false;
    QString orderColumn; // --order COLUMN: the header of the column to order by
    QString xlsx, pdf, rtf;
};

bool wholeNumber(const QString& text, int lowest, int highest, int& value) {
    bool ok = false;
    value = text.toInt(&ok);
    return ok && value >= lowest && value <= highest;
}

std::optional<Failure> parse(const QStringList& arguments, Request& request) {
    const auto wrong = [](const QString& message) { return Failure{2, message}; };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& option = arguments[i];
        if (option == QLatin1String("--full-rooms")) {
            request.settings.fullRooms = true;
            continue;
        }
        if (option == QLatin1String("--diagonal")) {
            request.settings.diagonal = true;
            continue;
        }
        static const QStringList withValue{"--exam",  "--per-room", "--rows",   "--columns",
                                           "--order", "--seed",     "--prefix", "--title",
                                           "--xlsx",  "--pdf",      "--rtf"};
        if (!withValue.contains(option))
            return wrong(
                QStringLiteral("不认识的参数：%1（brasset --help 列出所有参数）").arg(option));
        if (i + 1 >= arguments.size())
            return wrong(QStringLiteral("参数 %1 后面缺少值").arg(option));
        const QString& value = arguments[++i];
        int number = 0;
        const auto inRange = [&](int lowest, int highest) -> std::optional<Failure> {
            if (wholeNumber(value, lowest, highest, number))
                return std::nullopt;
            return wrong(QStringLiteral("%1 要一个 %2 到 %3 的整数，不是“%4”")
                             .arg(option)
                             .arg(lowest)
                             .arg(highest)
                             .arg(value));
        };
        if (option == QLatin1String("--exam")) {
            request.file = value;
        } else if (option == QLatin1String("--per-room")) {
            if (auto failure = inRange(1, kMostPerRoom))
                return failure;
            request.settings.perRoom = number;
        } else if (option == QLatin1String("--rows")) {
            if (auto failure = inRange(1, kMostPerRoom))
                return failure;
            request.settings.rows = number;
        } else if (option == QLatin1String("--columns")) {
            if (auto failure = inRange(1, kMostPerRoom))
                return failure;
            request.settings.columns = number;
        } else if (option == QLatin1String("--order")) {
            static const std::map<QString, Order> orders{{QStringLiteral("listed"), Order::Listed},
                                                         {QStringLiteral("class"), Order::ByClass},
                                                         {QStringLiteral("mixed"), Order::Mixed}};
            const auto known = orders.find(value);
            request.settings.order = known == orders.end() ? Order::ByColumn : known->second;
            if (known == orders.end())
                request.orderColumn = value;
        } else if (option == QLatin1String("--seed")) {
            const std::optional<std::uint32_t> seed = common::seedFrom(value);
            if (!seed)
                return wrong(
                    QStringLiteral("--seed 要一个 0 到 4294967295 的整数，不是“%1”").arg(value));
            request.settings.seed = *seed;
            request.seedGiven = true;
        } else if (option == QLatin1String("--prefix")) {
            request.settings.prefix = value;
        } else if (option == QLatin1String("--title")) {
            request.settings.title = value;
        } else if (option == QLatin1String("--xlsx")) {
            request.xlsx = value;
        } else if (option == QLatin1String("--pdf")) {
            request.pdf = value;
        } else {
            request.rtf = value;
        }
    }
    if (request.file.isEmpty())
        return wrong(QStringLiteral("缺少 --exam 考生名单文件（.csv 或 .xlsx）"));
    if (const QString problem = settingsProblem(request.settings); !problem.isEmpty())
        return wrong(problem);
    return std::nullopt;
}

// The candidates of the file, or why they cannot be seated as they are.
std::variant<CandidateList, Failure> candidatesOf(const QString& path) {
    const ReadTable table = readTableFile(path);
    if (!table.error.isEmpty())
        return Failure{1, table.error};
    if (table.rows.empty())
        return Failure{1, QStringLiteral("%1 中没有考生").arg(QDir::toNativeSeparators(path))};
    const std::vector<Field> fields = recogniseHeader(table.rows.front());
    if (fields.empty())
        return Failure{
            1, QStringLiteral("%1 的第一行不是表头：要有“姓名”一列，可以有这些列：%2")
                   .arg(QDir::toNativeSeparators(path), knownHeaders().join(QStringLiteral("、")))};
    ReadCandidates read = candidatesFrom(table.rows, fields, true);
    if (!read.problems.empty())
        return Failure{1, QStringLiteral("%1 中有 %2 行读不出考生，没有编排：\n%3")
                              .arg(QDir::toNativeSeparators(path))
                              .arg(read.problems.size())
                              .arg(problemLines(read.problems).join(QLatin1Char('\n')))};
    if (read.list.candidates.empty())
        return Failure{1, QStringLiteral("%1 中没有考生").arg(QDir::toNativeSeparators(path))};
    const QStringList twice = duplicateExamNumbers(read.list);
    if (!twice.isEmpty())
        return Failure{1, QStringLiteral("名单中这些考号重复，没有编排：%1")
                              .arg(twice.join(QStringLiteral("、")))};
    return read.list;
}

// Each output is made beside its file first; only when all are made do
// they replace the files, so a failure leaves every old file as it was.
struct Output {
    QString path;
    std::function<QString(const QString& to)> write;
};

std::optional<Failure> writeAll(const std::vector<Output>& outputs) {
    std::vector<QString> made;
    const auto clean = [&made] {
        for (const QString& part : made)
            QFile::remove(part);
    };
    for (const Output& output : outputs) {
        const QFileInfo target(output.path);
        if (target.exists() && (target.isDir() || !target.isWritable())) {
            clean();
            return Failure{1, QStringLiteral("不能写 %1：它是文件夹或只读文件")
                                  .arg(QDir::toNativeSeparators(output.path))};
        }
        const QString part = target.absoluteFilePath() + QStringLiteral(".part");
        const QString error = output.write(part);
        made.push_back(part);
        if (!error.isEmpty()) {
            clean();
            return Failure{1, error};
        }
    }
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        QFile part(made[i]);
        const QString error = part.open(QIODevice::ReadOnly)
                                  ? common::writeFileSafely(outputs[i].path, part.readAll())
                                  : part.errorString();
        part.close();
        if (!error.isEmpty()) {
            clean();
            return Failure{1, QStringLiteral("不能写 %1：%2")
                                  .arg(QDir::toNativeSeparators(outputs[i].path), error)};
        }
        QFile::remove(made[i]);
    }
    return std::nullopt;
}

std::variant<QString, Failure> run(const QStringList& arguments) {
    Request request;
    if (auto failure = parse(arguments, request))
        return *failure;
    auto read = candidatesOf(request.file);
    if (auto* failure = std::get_if<Failure>(&read))
        return *failure;
    Exam exam;
    exam.list = std::get<CandidateList>(std::move(read));
    exam.settings = request.settings;
    exam.version = programVersion();
    if (!request.orderColumn.isEmpty()) {
        exam.settings.scoreColumn = int(exam.list.extraHeaders.indexOf(request.orderColumn));
        if (exam.settings.scoreColumn < 0)
            return Failure{
                2,
                QStringLiteral("--order：名单中没有“%1”这一列；可以用 listed、class、mixed "
                               "或这些列：%2")
                    .arg(request.orderColumn, exam.list.extraHeaders.join(QStringLiteral("、")))};
    }
    if (!request.seedGiven)
        exam.settings.seed = QRandomGenerator::global()->generate();
    const Arrangement arrangement = arrange(exam.list, exam.settings);
    if (!arrangement.error.isEmpty())
        return Failure{1, arrangement.error};
    exam.seating = arrangement.seating;

    const QDate today = QDate::currentDate();
    std::vector<Output> outputs;
    if (!request.xlsx.isEmpty())
        outputs.push_back(
            {request.xlsx, [&](const QString& to) { return writeWorkbook(exam, today, to); }});
    if (!request.pdf.isEmpty())
        outputs.push_back(
            {request.pdf, [&](const QString& to) { return writePrintPackPdf(exam, today, to); }});
    if (!request.rtf.isEmpty())
        outputs.push_back({request.rtf, [&](const QString& to) {
                               const QString error =
                                   common::writeFileSafely(to, examTableDocument(exam));
                               return error.isEmpty()
                                          ? error
                                          : QStringLiteral("不能写 %1：%2")
                                                .arg(QDir::toNativeSeparators(to), error);
                           }});
    if (auto failure = writeAll(outputs))
        return *failure;

    QString summary = summaryLine(exam, arrangement.adjacentPairs);
    if (!arrangement.why.isEmpty())
        summary += QStringLiteral("（%1）").arg(arrangement.why);
    return summary;
}

} // namespace

bool wantsCommandLine(const QStringList& arguments) {
    return arguments.contains(QLatin1String("--exam")) ||
           arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h"));
}

QString commandLineHelp() {
    return QStringLiteral(
        "用法：brasset --exam 名单文件 [选项]\n"
        "把一个年级的考生编入考场，不开窗口。名单文件是 .csv（GBK 或 UTF-8）或 "
        ".xlsx（第一张工作表），\n"
        "第一行是表头，要有“姓名”，可以有“班级”“学号”“考号”和其他列（如成绩）。\n"
        "\n"
        "  --per-room N      每考场最多 N 人（默认 30）\n"
        "  --rows R          每考场 R 行座位（默认 6）\n"
        "  --columns C       每考场 C 列座位（默认 5）\n"
        "  --full-rooms      坐满一个考场再排下一个（默认各考场人数均衡）\n"
        "  --order 顺序      listed 按名单，class 按班级和学号，mixed 打乱且同班不相邻，\n"
        "                    或名单中某一列的表头（如 成绩）：按该列从高到低分考场，考场内随机\n"
        "  --diagonal        mixed 时同班也不斜对\n"
        "  --seed S          随机种子（0 到 "
        "4294967295）；同一名单、设置、种子和版本总得同样的编排\n"
        "  --prefix P        考号前缀；考号 = 前缀 + 考场号（两位，100 个考场起三位）+ "
        "座位号（两位）\n"
        "  --title T         打印件上的标题，如“期末考试 数学 7月1日 8:00–10:00”\n"
        "  --xlsx 文件.xlsx  工作簿：每考场一张表，另有“按班级”一张\n"
        "  --pdf 文件.pdf    打印包：门贴、桌贴、签到表、总表\n"
        "  --rtf 文件.rtf    各考场的表格文档\n"
        "\n"
        "成功时打印一行：考生人数、考场数、相邻同班对数、随机种子，退出码 0。\n"
        "出错时打印原因，退出码非 0，不写任何文件。\n");
}

int runCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    if (arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h"))) {
        out << commandLineHelp();
        return 0;
    }
    const auto result = run(arguments);
    if (const auto* failure = std::get_if<Failure>(&result)) {
        err << failure->message << '\n';
        return failure->code;
    }
    out << std::get<QString>(result) << '\n';
    return 0;
}

} // namespace exams
