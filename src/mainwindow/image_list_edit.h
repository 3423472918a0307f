#pragma once

#include "list/image_list_document.h"

#include <QTextEdit>

class QMimeData;
class QTextCursor;

namespace Kelbrix {

/// The barcode image list `RTF1`: a rich-text editor the user may type in, holding label
/// pictures at their full resolution, shown at their physical size. Pasting an image (the
/// labels of this program, or any image another program put on the clipboard) inserts it as
/// a picture at the caret; pasted text, plain or rich, goes in as plain text, which is all
/// the list keeps of it. Nothing pasted reaches the file system: the document loads no
/// resource it was not given.
class ImageListEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit ImageListEdit(QWidget *parent = nullptr);

    /// Inserts \a image at the caret, shown \a widthTwips x \a heightTwips, scaled down first when
    /// it has more pixels than the list's reader takes. Returns why it was not inserted (a size
    /// the reader refuses, or a list that holds as much as it may), or an empty text.
    QString insertPicture(const QImage &image, double widthTwips, double heightTwips);
    /// Pictures in the document.
    int pictureCount() const;
    /// The document as plain data: text and pictures in order, each picture with its image and
    /// size in twips.
    ImageListDocument imageList() const;
    /// Replaces the document with \a document.
    void setImageList(const ImageListDocument &document);

signals:
    /// The right mouse button was pressed on the list.
    void rightButtonPressed(const QPoint &globalPosition);

protected:
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    QVariant loadResource(int type, const QUrl &name) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void insertPictureAt(QTextCursor &cursor, const QImage &image, double widthTwips, double heightTwips);
    /// Counts the pictures of the document and the memory they take when read back.
    void recount();

    int m_nextPicture = 0;
    /// Pictures inserted and the memory they take read back: at least what the document holds
    /// (text deleted may take pictures with it), counted again when a limit is reached.
    qsizetype m_pictures = 0;
    qint64 m_decodedBytes = 0;
};

} // namespace Kelbrix
