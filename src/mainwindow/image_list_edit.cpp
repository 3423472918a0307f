#include "mainwindow/image_list_edit.h"

#include "mainwindow/label_mime.h"
#include "base/units.h"
#include "base/user_prompt.h"

#include <QCoreApplication>
#include <QContextMenuEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// The exact size of a picture in twips rides along in its format; the width and height of the
// format are screen pixels and would lose it.
constexpr int kWidthTwipsProperty = QTextFormat::UserProperty + 1;
constexpr int kHeightTwipsProperty = QTextFormat::UserProperty + 2;

// What a document answers for a resource it was not given: an empty value that ends the lookup,
// so Qt never falls back to reading the file or URL an image or style sheet names.
QVariant noResource(const QUrl &)
{
    return QVariant(QByteArray());
}

// The text of pasted HTML, read by a document that loads nothing it names; the places of its
// images are dropped.
QString plainTextOfHtml(const QString &html)
{
    QTextDocument document;
    document.setResourceProvider(noResource);
    document.setHtml(html);
    QString text = document.toPlainText();
    text.remove(QChar::ObjectReplacementCharacter);
    return text;
}

} // namespace

ImageListEdit::ImageListEdit(QWidget *parent) : QTextEdit(parent)
{
    setObjectName(u"RTF1"_s);
    setAcceptRichText(true);
    document()->setResourceProvider(noResource);
}

QString ImageListEdit::insertPicture(const QImage &image, double widthTwips, double heightTwips)
{
    const QImage fitted = pictureWithinLimits(image);
    if (fitted.isNull())
        return QCoreApplication::translate("Form1",
                                           "The picture could not be made small enough for the Barcode Image List; "
                                           "it was not added.");
    QString refusal = refusedPicture(fitted, widthTwips, heightTwips, m_pictures, m_decodedBytes);
    if (!refusal.isEmpty()) {
        recount();
        refusal = refusedPicture(fitted, widthTwips, heightTwips, m_pictures, m_decodedBytes);
        if (!refusal.isEmpty())
            return refusal;
    }
    QTextCursor cursor = textCursor();
    insertPictureAt(cursor, fitted, widthTwips, heightTwips);
    setTextCursor(cursor);
    return {};
}

void ImageListEdit::recount()
{
    m_pictures = 0;
    m_decodedBytes = 0;
    for (const ImageListPart &picture : imageList().pictures()) {
        ++m_pictures;
        m_decodedBytes += decodedPictureBytes(picture.image.width(), picture.image.height(), picture.image.depth());
    }
}

void ImageListEdit::insertPictureAt(QTextCursor &cursor, const QImage &image, double widthTwips, double heightTwips)
{
    // Each picture is a resource of its own at full resolution; the format only says how
    // large it is shown.
    const QUrl name(u"kelbrix-picture:"_s + QString::number(++m_nextPicture));
    document()->addResource(QTextDocument::ImageResource, name, QVariant(image));
    QTextImageFormat format;
    format.setName(name.toString());
    format.setWidth(twipsToPixels(widthTwips, logicalDpiX()));
    format.setHeight(twipsToPixels(heightTwips, logicalDpiY()));
    format.setProperty(kWidthTwipsProperty, widthTwips);
    format.setProperty(kHeightTwipsProperty, heightTwips);
    cursor.insertImage(format);
    ++m_pictures;
    m_decodedBytes += decodedPictureBytes(image.width(), image.height(), image.depth());
}

int ImageListEdit::pictureCount() const
{
    return int(imageList().pictures().size());
}

ImageListDocument ImageListEdit::imageList() const
{
    ImageListDocument result;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block != document()->begin())
            result.appendText(u"\n"_s);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const QTextCharFormat format = fragment.charFormat();
            if (!format.isImageFormat()) {
                QString text = fragment.text();
                text.replace(QChar::LineSeparator, u'\n');
                result.appendText(text);
                continue;
            }
            const QTextImageFormat picture = format.toImageFormat();
            const QImage image =
                document()->resource(QTextDocument::ImageResource, QUrl(picture.name())).value<QImage>();
            if (image.isNull())
                continue;
            const double width =
                picture.hasProperty(kWidthTwipsProperty)
                    ? picture.doubleProperty(kWidthTwipsProperty)
                    : pixelsToTwips(picture.width() > 0 ? picture.width() : image.width(), logicalDpiX());
            const double height =
                picture.hasProperty(kHeightTwipsProperty)
                    ? picture.doubleProperty(kHeightTwipsProperty)
                    : pixelsToTwips(picture.height() > 0 ? picture.height() : image.height(), logicalDpiY());
            // Neighbouring copies of one picture share a fragment, one character each.
            for (int i = 0; i < fragment.length(); ++i)
                result.appendPicture(image, width, height);
        }
    }
    return result;
}

void ImageListEdit::setImageList(const ImageListDocument &document)
{
    clear();
    m_pictures = 0;
    m_decodedBytes = 0;
    QTextCursor cursor(this->document());
    for (const ImageListPart &part : document.parts()) {
        if (part.isPicture())
            insertPictureAt(cursor, part.image, part.widthTwips, part.heightTwips);
        else
            cursor.insertText(part.text, QTextCharFormat());
    }
    setTextCursor(cursor);
}

bool ImageListEdit::canInsertFromMimeData(const QMimeData *source) const
{
    return source && (source->hasImage() || source->hasText() || source->hasHtml());
}

void ImageListEdit::insertFromMimeData(const QMimeData *source)
{
    // The paste is done here rather than by QTextEdit, which can crash on a clipboard without an
    // owner and would let pasted HTML load the local files it names. Only what the list holds
    // goes in: a picture from the clipboard's own image data, or text.
    if (!source)
        return;
    if (source->hasImage()) {
        const QImage image = qvariant_cast<QImage>(source->imageData());
        if (const auto size = labelSizeOf(source, image)) {
            if (const QString refusal = insertPicture(image, size->first, size->second); !refusal.isEmpty())
                ask(refusal, QCoreApplication::translate("Form1", "Barcode Image List"), PromptIcon::Exclamation,
                    PromptButtons::Ok);
            return;
        }
    }
    QString text = source->hasText() ? source->text() : QString();
    if (text.isEmpty() && source->hasHtml())
        text = plainTextOfHtml(source->html());
    if (!text.isEmpty())
        insertPlainText(text);
}

QVariant ImageListEdit::loadResource(int, const QUrl &)
{
    // Every picture of the list is a resource of the document; nothing is loaded from elsewhere.
    return {};
}

void ImageListEdit::contextMenuEvent(QContextMenuEvent *event)
{
    emit rightButtonPressed(event->globalPos());
    event->accept();
}

} // namespace Kelbrix
