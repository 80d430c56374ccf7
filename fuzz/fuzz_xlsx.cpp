// An .xlsx from any bytes: read whole or refused with a message, never a
// crash. Bytes that start as a zip are read as the workbook; any others are
// a sheet's XML, its shared strings and its styles, 0xFF between them, zipped
// here into a workbook, so that the XML is fuzzed and not only the zip.

#include "exams/candidates.h"
#include "fuzz/fuzzcheck.h"

#include <QBuffer>
#include <QtGui/private/qzipwriter_p.h>

using namespace exams;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The zip reader's notes on broken zips cost more than reading them.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes = fuzzBytes(data, size);
    if (!bytes.startsWith("PK")) {
        const QList<QByteArray> parts = bytes.split('\xFF');
        QBuffer zip;
        zip.open(QIODevice::WriteOnly);
        QZipWriter writer(&zip);
        // Stored, not packed: packing each input would cost more than reading it,
        // and packed parts come in through the inputs that start as a zip.
        writer.setCompressionPolicy(QZipWriter::NeverCompress);
        writer.addFile("xl/workbook.xml",
                       R"(<workbook xmlns:r="r"><sheets><sheet r:id="a"/></sheets></workbook>)");
        writer.addFile(
            "xl/_rels/workbook.xml.rels",
            R"(<Relationships><Relationship Id="a" Target="s.xml"/><Relationship Id="b" Type="/sharedStrings" Target="t.xml"/><Relationship Id="c" Type="/styles" Target="u.xml"/></Relationships>)");
        writer.addFile("xl/s.xml", parts[0]);
        writer.addFile("xl/t.xml", parts.value(1));
        writer.addFile("xl/u.xml", parts.value(2));
        writer.close();
        bytes = zip.data();
    }
    const ReadTable read = readXlsx(bytes);
    FUZZ_CHECK(read.error.isEmpty() || read.rows.empty());
    FUZZ_CHECK(qsizetype(read.rows.size()) <= 1'000'000);
    return 0;
}
