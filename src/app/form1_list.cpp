// The barcode list of the main window: adding with the duplicate checks, loading a record
// back into the entry, sorting, removing, clearing, the product list, and list files.
#include "app/form1.h"

#include "base/runtime_errors.h"
#include "base/user_prompt.h"
#include "list/list_files.h"
#include "list/older_entry.h"
#include "base/units.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// The leading number of a text, as the entry reads numbers: digits up to the first other
// character; 0 when there are none.
int leadingNumber(const QString &text)
{
    int value = 0;
    for (QChar c : text) {
        if (!c.isDigit() || c.unicode() > 0x7f)
            break;
        value = value * 10 + c.digitValue();
    }
    return value;
}

QTreeWidgetItem *makeItem(const ListRecord &record)
{
    return new QTreeWidgetItem(QStringList{record.product, record.barcode, record.digitSup, record.text, record.type});
}

} // namespace

void Form1::buildList()
{
    auto *layout = new QHBoxLayout(listArea);
    ListView3 = new QTreeWidget(listArea);
    ListView3->setObjectName(u"ListView3"_s);
    ListView3->setRootIsDecorated(false);
    ListView3->setUniformRowHeights(true);
    ListView3->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView3->setHeaderLabels(listColumnCaptions());
    ListView3->header()->setSectionsClickable(true);
    ListView3->header()->setSortIndicatorShown(true);
    ListView3->header()->setSortIndicator(-1, Qt::AscendingOrder); // unsorted until a header is clicked
    ListView3->installEventFilter(this);
    ListView3->setMinimumWidth(fontMetrics().averageCharWidth() * 48);
    List1 = new QListWidget(listArea);
    List1->setObjectName(u"List1"_s);
    List1->setMaximumWidth(fontMetrics().averageCharWidth() * 28);
    List1->installEventFilter(this);
    List2 = new QListWidget(listArea);
    List2->setObjectName(u"List2"_s);
    List2->hide();
    layout->addWidget(ListView3, 1);
    layout->addWidget(List1);

    connect(ListView3, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) { loadRecord(item); });
    connect(ListView3, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) { loadRecord(item); });
    connect(ListView3->header(), &QHeaderView::sectionClicked, this, &Form1::onSortColumn);
    connect(List1, &QListWidget::itemClicked, this, &Form1::onProductListClicked);
    connect(Command4, &QPushButton::clicked, this, &Form1::onAddToList);
    connect(mnuRItem, &QAction::triggered, this, &Form1::onRemoveItem);
    connect(mnuCLList, &QAction::triggered, this, &Form1::onClearList);
    connect(mnuLoad, &QAction::triggered, this, &Form1::onLoad);
    connect(mnuSBAR, &QAction::triggered, this, &Form1::onSaveList);
    mnuLoad->setEnabled(true);
}

int Form1::listCount() const
{
    return ListView3->topLevelItemCount();
}

ListRecord Form1::listRecord(int number) const
{
    const QTreeWidgetItem *item = ListView3->topLevelItem(number - 1);
    if (!item)
        return {};
    return ListRecord{item->text(0), item->text(1), item->text(2), item->text(3), item->text(4)};
}

QList<ListRecord> Form1::listRecords() const
{
    QList<ListRecord> records;
    records.reserve(listCount());
    for (int i = 1; i <= listCount(); ++i)
        records.append(listRecord(i));
    return records;
}

QString Form1::typeCodeFromList() const
{
    if (!TypeFromList || !ListView3 || listCount() == 0)
        return {};
    if (ListItemInWork != 0)
        return listRecord(ListItemInWork).type;
    const QTreeWidgetItem *current = ListView3->currentItem();
    return current ? current->text(4) : QString();
}

int Form1::currentColumnWidth(int column) const
{
    // A column the user left as it was keeps its width in twips exactly; a resized one is
    // measured on the screen.
    const int stored = columnWidths[size_t(column)];
    if (!ListView3)
        return stored;
    const int pixels = ListView3->columnWidth(column);
    if (pixels == roundToInt(twipsToPixels(stored, logicalDpiX())))
        return stored;
    return roundToInt(pixelsToTwips(pixels, logicalDpiX()));
}

void Form1::appendRecords(const QList<ListRecord> &records, bool intoIndexes)
{
    QList<QTreeWidgetItem *> items;
    items.reserve(records.size());
    for (const ListRecord &record : records) {
        items.append(makeItem(record));
        if (intoIndexes) {
            List1->addItem(record.product);
            List2->addItem(record.barcode);
        }
    }
    ListView3->addTopLevelItems(items);
}

void Form1::onAddToList()
{
    if (listCount() > 0) {
        for (QAction *action : {mnuCLList, mnuRItem, mnuSBMP, mnuSBAR, mnuAs})
            action->setEnabled(true);
    }
    mnuSave->menuAction()->setEnabled(true);
    mnuSBAR->setEnabled(!currentListFile.isEmpty());
    mnuSBMP->setEnabled(!currentBitmapFile.isEmpty());

    if (optCode39->isChecked() && optNosup->isChecked())
        Code39CheckCharacter();

    const QString product = txtProduct->text();
    const QString barcode = TxtStreck->text();
    if (!product.isEmpty()) {
        const QChar p = product.front().toUpper();
        const int b = leadingNumber(barcode.left(3));
        for (int i = 0; i < List1->count(); ++i) {
            const QString listed = List1->item(i)->text();
            if (!listed.isEmpty() && listed.front().toUpper() == p &&
                product.compare(listed, Qt::CaseInsensitive) == 0) {
                const PromptAnswer answer = ask(u"The product "_s + product + u" exists in list, continue? "_s,
                                                u"Keep Product ?."_s, PromptIcon::Question, PromptButtons::YesNo);
                if (answer == PromptAnswer::No)
                    return;
            }
            // Older list files fill the product list without the barcode index.
            if (i < List2->count()) {
                const QString indexed = List2->item(i)->text();
                if (leadingNumber(indexed.left(3)) == b && barcode == indexed) {
                    ask(u"This number has been issued, please enter a different one"_s, u"Barcode is the same."_s,
                        PromptIcon::Exclamation, PromptButtons::Ok);
                    return;
                }
            }
        }
    }

    appendRecords({ListRecord{product, barcode, txtSup->text(), txtFree->text(), TypeCode}}, true);
    for (QAction *action : {mnuCLList, mnuRItem, mnuSBMP, mnuSBAR, mnuAs})
        action->setEnabled(true);
}

void Form1::copyRecordToEntry(const ListRecord &record)
{
    // The type first, so the change rules of the boxes work with the record's own type.
    TypeCode = record.type;
    txtProduct->setText(record.product);
    TxtStreck->setText(record.barcode);
    txtSup->setText(record.digitSup);
    txtFree->setText(record.text);
    TypeCode = record.type;
}

void Form1::loadRecord(QTreeWidgetItem *item)
{
    if (!item || listCount() == 0)
        return;
    const int number = ListView3->indexOfTopLevelItem(item) + 1;
    const ListRecord record = listRecord(number);
    m_isbnMessageShown = false;
    m_refusalShown = false;
    copyRecordToEntry(record);
    if (const TypeInfo *type = findType(record.type)) {
        selectOptionsOf(*type);
        // Selecting the options may have emptied the supplement box.
        txtSup->setText(record.digitSup);
        TypeCode = record.type;
    }
    ApplyBarcodeType();
    // The view update selects the options and converts an ISBN itself, so one run shows the
    // record whatever its type.
    UpdateBarcodeView();
    if (typeCodeBelongsToEdition(record.type, edition))
        barcodeMade = 1;
}

void Form1::onListKeyRelease()
{
    QTreeWidgetItem *item = ListView3->currentItem();
    if (!item)
        return;
    loadRecord(item);
    TxtStreck->setText(item->text(1));
    txtSup->setText(item->text(2));
}

void Form1::onSortColumn(int column)
{
    const QString caption = ListView3->headerItem()->text(column);
    int toggle = 0; // "Product", "Digit Sup." and any other caption share the first toggle
    if (caption == u"Barcode"_s)
        toggle = 1;
    else if (caption == u"Text"_s)
        toggle = 2;
    else if (caption == u"Type"_s)
        toggle = 3;
    qint16 &direction = m_sortToggles[size_t(toggle)];
    const Qt::SortOrder order = direction == 0 ? Qt::AscendingOrder : Qt::DescendingOrder;
    ListView3->sortItems(column, order);
    ListView3->header()->setSortIndicator(column, order);
    direction = direction == 0 ? 1 : 0;
}

void Form1::onRemoveItem()
{
    if (listCount() == 0)
        return;
    if (ListView3->selectedItems().isEmpty()) {
        ask(u"No Item was selected, Select Item to remove."_s, u"Error"_s, PromptIcon::Critical, PromptButtons::Ok,
            3014);
        return;
    }
    if (ask(u"Remove:  "_s + u"Selected Item/Items."_s, u"Remove Item"_s, PromptIcon::Question,
            PromptButtons::YesNo, 3013) == PromptAnswer::No)
        return;

    const auto removeFirst = [](QListWidget *list, const QString &text) {
        for (int i = 0; i < list->count(); ++i) {
            if (list->item(i)->text() == text) {
                delete list->takeItem(i);
                return;
            }
        }
    };
    int i = 0;
    while (i < listCount()) {
        QTreeWidgetItem *item = ListView3->topLevelItem(i);
        if (item->isSelected()) {
            removeFirst(List2, item->text(1));
            removeFirst(List1, item->text(0));
            delete ListView3->takeTopLevelItem(i);
        } else {
            ++i;
        }
    }
}

void Form1::clearList()
{
    ListView3->clear();
    List1->clear();
    List2->clear();
}

void Form1::onClearList()
{
    if (listCount() == 0)
        return;
    if (ask(u"Do you want to clear List ?"_s, u"Clear List."_s, PromptIcon::Question, PromptButtons::YesNo, 3009) ==
        PromptAnswer::No)
        return;
    clearList();
    for (QAction *action : {mnuCLList, mnuAs, mnuPrint, mnuRItem})
        action->setEnabled(false);
    mnuSave->menuAction()->setEnabled(false);
    if (barcodeMade)
        mnuAs->setEnabled(true);
}

void Form1::onProductListClicked(QListWidgetItem *item)
{
    if (!item)
        return;
    // Only entries of the older list files stand for a barcode; a plain product text does not.
    const auto selection = selectOlderEntry(item->text(), edition);
    if (!selection || !findType(selection->typeCode))
        return;
    TypeCode = selection->typeCode;
    TxtStreck->clear();
    TxtStreck->setText(selection->barcodeText);
    selectOptionsOf(*findType(selection->typeCode));
    if (barcodeMade) {
        cmdToRTF1->setEnabled(true);
        mnuCopy2->setEnabled(true);
        mnuPasteIMG->setEnabled(true);
    }
}

void Form1::refillEntryFromRecord()
{
    // A value the renderer refused: put the current record back into the entry and show it,
    // once (the record itself may be what was refused).
    if (m_refilling)
        return;
    m_refilling = true;
    const int number = ListItemInWork != 0 ? ListItemInWork
                       : ListView3 && ListView3->currentItem()
                           ? ListView3->indexOfTopLevelItem(ListView3->currentItem()) + 1
                           : 0;
    if (number > 0 && number <= listCount()) {
        const ListRecord record = listRecord(number);
        TypeCode = record.type;
        txtProduct->setText(record.product);
        TxtStreck->setText(record.barcode);
        txtSup->setText(record.digitSup);
        ApplyBarcodeType();
        UpdateBarcodeView();
    } else {
        ApplyBarcodeType();
    }
    m_refilling = false;
}

void Form1::onLoad()
{
    FileRequest request;
    request.mode = FileRequest::Mode::Open;
    request.title = u"Load"_s;
    request.filter = u"Kelbrix 2 (*.QZ2 *.qz2);;Kelbrix (*.QZL *.qzl);;Barcode Image List (*.RTF *.rtf);;"
                     "Ornatec (*.BAR *.bar);;All files (*)"_s;
    const QString path = userPrompt().chooseFile(request);
    if (path.isEmpty())
        return;

    const ListFileFormat format = listFileFormatFor(path);
    if (format == ListFileFormat::Unknown) {
        showWrongFileFormat();
        return;
    }
    if (format == ListFileFormat::ImageList) {
        ask(u"Loading a Barcode Image List (*.RTF) is not available yet."_s, applicationTitle(),
            PromptIcon::Information, PromptButtons::Ok);
        return;
    }

    currentListFile = path;
    if (listCount() > 0 &&
        ask(u"Your Barcode List isn't empty, do you want to merge files ?"_s, u"Merge Files"_s, PromptIcon::Question,
            PromptButtons::YesNo) == PromptAnswer::No)
        clearList();

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ListReadResult result = readListFile(path);
    if (format == ListFileFormat::Qz2) {
        appendRecords(result.records, true);
        // Neighbouring records with the same barcode keep only the first.
        QList<ListRecord> all = listRecords();
        if (!removeConsecutiveDuplicateBarcodes(all).isEmpty()) {
            // Refilling the view is linear; taking items out one by one is not.
            ListView3->clear();
            appendRecords(all, false);
        }
    } else {
        List1->clear();
        appendRecords(result.records, false);
        List1->addItems(result.productList);
    }
    QApplication::restoreOverrideCursor();

    for (QAction *action : {mnuSBAR, mnuAs, mnuCLList, mnuRItem, mnuPrint})
        action->setEnabled(true);
    mnuSave->menuAction()->setEnabled(true);

    if (!result.ok()) {
        setHint(result.message);
        ReportRuntimeError(result.runtimeError);
    }
}

void Form1::onSaveList()
{
    QString name = currentListFile;
    if (name.isEmpty()) {
        FileRequest request;
        request.mode = FileRequest::Mode::Save;
        request.title = u"Save List"_s;
        request.filter = u"Kelbrix 2 (*.QZ2 *.qz2)"_s;
        name = userPrompt().chooseFile(request);
        if (name.isEmpty())
            return;
        if (listFileFormatFor(name) != ListFileFormat::Qz2)
            name += u".qz2"_s;
    } else {
        name = qz2FileName(name);
        currentListFile = name;
        if (ask(u"Save as "_s + name + u" ?"_s, u"Save List ?."_s, PromptIcon::Question, PromptButtons::YesNo,
                3015) == PromptAnswer::No)
            return;
    }
    currentListFile = name;
    mnuSBAR->setEnabled(true);
    const ListWriteResult result = saveListFile(name, listRecords());
    if (!result.ok)
        ask(result.message, u"Save List"_s, PromptIcon::Exclamation, PromptButtons::Ok);
}

} // namespace Kelbrix
