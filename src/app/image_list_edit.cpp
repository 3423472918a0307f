#include "app/image_list_edit.h"

#include "app/label_mime.h"
#include "base/units.h"

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

} // namespace

ImageListEdit::ImageListEdit(QWidget *parent) : QTextEdit(parent)
{
    setObjectName(u"RTF1"_s);
    setAcceptRichText(true);
}

void ImageListEdit::insertPicture(const QImage &image, double widthTwips, double heightTwips)
{
    QTextCursor cursor = textCursor();
    insertPictureAt(cursor, image, widthTwips, heightTwips);
    setTextCursor(cursor);
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
    return source->hasImage() || QTextEdit::canInsertFromMimeData(source);
}

void ImageListEdit::insertFromMimeData(const QMimeData *source)
{
    if (source->hasImage()) {
        const QImage image = qvariant_cast<QImage>(source->imageData());
        if (const auto size = labelSizeOf(source, image)) {
            insertPicture(image, size->first, size->second);
            return;
        }
    }
    QTextEdit::insertFromMimeData(source);
}

void ImageListEdit::contextMenuEvent(QContextMenuEvent *event)
{
    emit rightButtonPressed(event->globalPos());
    event->accept();
}

} // namespace Kelbrix
