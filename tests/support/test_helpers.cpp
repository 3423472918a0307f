#include "test_helpers.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix::Test {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFileBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray programOutput(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    const bool ended = process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit;
    return ended && process.exitCode() == 0 ? process.readAllStandardOutput() : QByteArray();
}

QRect inkBox(const QImage &image, const QRect &area, int below)
{
    const QRect within = area.isNull() ? image.rect() : area.intersected(image.rect());
    QRect ink;
    for (int y = within.top(); y <= within.bottom(); ++y) {
        for (int x = within.left(); x <= within.right(); ++x) {
            if (qGray(image.pixel(x, y)) < below)
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

QStringList columnTexts(const QAbstractItemModel &model)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts.append(model.index(row, 0).data().toString());
    return texts;
}

QList<QByteArray> inflatedPdfStreams(const QByteArray &pdf)
{
    static const QRegularExpression stream(u"/Filter /FlateDecode[^>]*>>\\s*stream\\r?\\n"_s);
    const QString text = QString::fromLatin1(pdf);
    QList<QByteArray> streams;
    for (QRegularExpressionMatch m = stream.match(text); m.hasMatch(); m = stream.match(text, m.capturedEnd())) {
        QByteArray packed = pdf.mid(m.capturedEnd(), pdf.indexOf("endstream", m.capturedEnd()) - m.capturedEnd());
        // qUncompress wants the expected size first; it grows its buffer as it needs.
        packed.prepend(QByteArray::fromHex("00000001"));
        streams << qUncompress(packed);
    }
    return streams;
}

} // namespace Kelbrix::Test
