// The barcode list of the main window: adding with the duplicate checks, loading a record
// back into the entry, sorting, removing, clearing, the product list, and list files.
#include "mainwindow/form1.h"

#include "mainwindow/image_list_commands.h"
#include "base/runtime_errors.h"
#include "base/user_prompt.h"
#include "list/list_files.h"
#include "list/older_entry.h"
#include "widgets/busy_progress.h"
#include "base/units.h"

#include <QCoreApplication>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QListView>
#include <QTreeView>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

void Form1::buildList()
{
    auto *layout = new QHBoxLayout(listArea);
    m_list = new BarcodeList(this);
    m_sortProxy = new BarcodeListSortProxy(this);
    m_sortProxy->setSourceModel(m_list);
    ListView3 = new QTreeView(listArea);
    ListView3->setObjectName(u"ListView3"_s);
    ListView3->setModel(m_sortProxy);
    ListView3->setRootIsDecorated(false);
    ListView3->setUniformRowHeights(true);
    ListView3->setItemsExpandable(false);
    ListView3->setAllColumnsShowFocus(true);
    ListView3->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView3->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView3->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView3->header()->setSectionsClickable(true);
    ListView3->header()->setSortIndicatorShown(true);
    ListView3->header()->setSortIndicator(-1, Qt::AscendingOrder); // unsorted until a header is clicked
    ListView3->header()->setStretchLastSection(false);
    ListView3->installEventFilter(this);
    ListView3->setMinimumWidth(fontMetrics().averageCharWidth() * 48);
    List1 = new QListView(listArea);
    List1->setObjectName(u"List1"_s);
    List1->setModel(m_list->productListModel());
    List1->setUniformItemSizes(true);
    List1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List1->setMaximumWidth(fontMetrics().averageCharWidth() * 28);
    List1->installEventFilter(this);
    List2 = new QListView(listArea);
    List2->setObjectName(u"List2"_s);
    List2->setModel(m_list->barcodeIndexModel());
    List2->setUniformItemSizes(true);
    List2->hide();
    layout->addWidget(ListView3, 1);
    layout->addWidget(List1);

    connect(ListView3, &QTreeView::clicked, this, &Form1::loadRecord);
    connect(ListView3, &QTreeView::doubleClicked, this, &Form1::loadRecord);
    connect(ListView3->header(), &QHeaderView::sectionClicked, this, &Form1::onSortColumn);
    connect(List1, &QListView::clicked, this, &Form1::onProductListClicked);
    connect(Command4, &QPushButton::clicked, this, &Form1::onAddToList);
    connect(mnuRItem, &QAction::triggered, this, &Form1::onRemoveItem);
    connect(mnuCLList, &QAction::triggered, this, &Form1::onClearList);
    connect(mnuLoad, &QAction::triggered, this, &Form1::onLoad);
    connect(mnuSBAR, &QAction::triggered, this, &Form1::onSaveList);
    mnuLoad->setEnabled(true);
}

int Form1::listCount() const
{
    return int(m_list->count());
}

ListRecord Form1::listRecord(int number) const
{
    return m_list->record(number);
}

QList<ListRecord> Form1::listRecords() const
{
    return m_list->records();
}

int Form1::recordNumberOf(const QModelIndex &viewIndex) const
{
    const QModelIndex source = m_sortProxy->mapToSource(viewIndex);
    return source.isValid() ? source.row() + 1 : 0;
}

QList<int> Form1::selectedRecordNumbers() const
{
    QList<int> numbers;
    for (const qsizetype row : m_sortProxy->recordRows(ListView3->selectionModel()->selectedRows()))
        numbers.append(int(row) + 1);
    return numbers;
}

QString Form1::typeCodeFromList() const
{
    if (!TypeFromList || !ListView3 || listCount() == 0)
        return {};
    if (ListItemInWork != 0)
        return listRecord(ListItemInWork).type;
    const int number = recordNumberOf(ListView3->currentIndex());
    return number > 0 ? listRecord(number).type : QString();
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

void Form1::onAddToList()
{
    if (optCode39->isChecked() && optNosup->isChecked())
        Code39CheckCharacter();

    const QString product = txtProduct->text();
    const QString barcode = TxtStreck->text();
    const BarcodeList::AddCheck check = m_list->checkAdd(product, barcode);
    for (qsizetype i = 0; i < check.productQuestions; ++i) {
        if (ask(QCoreApplication::translate("Form1", "The product %1 exists in list, continue? ").arg(product),
                QCoreApplication::translate("Form1", "Keep Product ?."), PromptIcon::Question,
                PromptButtons::YesNo) == PromptAnswer::No)
            return;
    }
    if (check.barcodeIssued) {
        ask(QCoreApplication::translate("Form1", "This number has been issued, please enter a different one"),
            QCoreApplication::translate("Form1", "Barcode is the same."), PromptIcon::Exclamation, PromptButtons::Ok);
        return;
    }
    if (m_list->isFull()) {
        ReportRuntimeError(9);
        return;
    }

    m_list->append(ListRecord{product, barcode, txtSup->text(), txtFree->text(), TypeCode});
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

void Form1::loadRecord(const QModelIndex &index)
{
    const int number = recordNumberOf(index);
    if (number <= 0 || listCount() == 0)
        return;
    showRecord(listRecord(number));
}

void Form1::showRecord(const ListRecord &record)
{
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
    if (typeCodeBelongsToEdition(record.type, edition)) {
        barcodeMade = 1;
        refreshCommands();
    }
}

void Form1::onListKeyRelease()
{
    const QModelIndex current = ListView3->currentIndex();
    const int number = recordNumberOf(current);
    if (number <= 0)
        return;
    loadRecord(current);
    const ListRecord record = listRecord(number);
    TxtStreck->setText(record.barcode);
    txtSup->setText(record.digitSup);
}

void Form1::onSortColumn(int column)
{
    const QString caption = m_list->headerData(column, Qt::Horizontal).toString();
    const Qt::SortOrder order = m_sortToggles.click(caption);
    {
        // Sorting a big list takes a moment; the records themselves keep their order.
        BusyProgress busy(nullptr);
        m_sortProxy->sort(column, order);
    }
    ListView3->header()->setSortIndicator(column, order);
}

void Form1::onRemoveItem()
{
    if (listCount() == 0)
        return;
    const QList<qsizetype> rows = m_sortProxy->recordRows(ListView3->selectionModel()->selectedRows());
    if (rows.isEmpty()) {
        ask(QCoreApplication::translate("Form1", "No Item was selected, Select Item to remove."),
            QCoreApplication::translate("Form1", "Error"), PromptIcon::Critical, PromptButtons::Ok, 3014);
        return;
    }
    if (ask(QCoreApplication::translate("Form1", "Remove:  Selected Item/Items."),
            QCoreApplication::translate("Form1", "Remove Item"), PromptIcon::Question, PromptButtons::YesNo,
            3013) == PromptAnswer::No)
        return;
    BusyProgress busy(nullptr);
    m_list->removeRecords(rows);
}

void Form1::onClearList()
{
    if (listCount() == 0)
        return;
    if (ask(QCoreApplication::translate("Form1", "Do you want to clear List ?"),
            QCoreApplication::translate("Form1", "Clear List."), PromptIcon::Question, PromptButtons::YesNo,
            3009) == PromptAnswer::No)
        return;
    m_list->clear();
}

void Form1::onProductListClicked(const QModelIndex &index)
{
    if (!index.isValid() || index.row() >= m_list->productList().size())
        return;
    // Only entries of the older list files stand for a barcode; a plain product text does not.
    const auto selection = selectOlderEntry(m_list->productList().at(index.row()), edition);
    if (!selection || !findType(selection->typeCode))
        return;
    TypeCode = selection->typeCode;
    TxtStreck->clear();
    TxtStreck->setText(selection->barcodeText);
    selectOptionsOf(*findType(selection->typeCode));
}

void Form1::refillEntryFromRecord()
{
    // A value the renderer refused: put the current record back into the entry and show it,
    // once (the record itself may be what was refused).
    if (m_refilling)
        return;
    m_refilling = true;
    const int number = ListItemInWork != 0 ? ListItemInWork : ListView3 ? recordNumberOf(ListView3->currentIndex()) : 0;
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
    request.title = QCoreApplication::translate("Form1", "Load");
    request.filter = u"Kelbrix 2 (*.QZ2 *.qz2);;Kelbrix (*.QZL *.qzl);;Barcode Image List (*.RTF *.rtf);;"
                     "Ornatec (*.BAR *.bar);;All files (*)"_s;
    const QString path = userPrompt().chooseFile(request);
    if (path.isEmpty())
        return;
    loadListFile(path);
}

void Form1::loadListFile(const QString &path)
{
    const ListFileFormat format = listFileFormatFor(path);
    if (format == ListFileFormat::Unknown) {
        showWrongFileFormat();
        return;
    }
    if (format == ListFileFormat::ImageList) {
        ImageListCommands::load(*this, path);
        return;
    }

    currentListFile = path;
    if (listCount() > 0 &&
        ask(QCoreApplication::translate("Form1", "Your Barcode List isn't empty, do you want to merge files ?"),
            QCoreApplication::translate("Form1", "Merge Files"), PromptIcon::Question,
            PromptButtons::YesNo) == PromptAnswer::No)
        m_list->clear();

    ListReadResult result;
    runInBackground(ProgressBar1, [&result, path] { result = readListFile(path); });
    {
        BusyProgress busy(ProgressBar1);
        if (format == ListFileFormat::Qz2) {
            m_list->mergeRead(result);
        } else {
            m_list->appendRecords(result.records, false);
            m_list->setProductList(result.productList);
        }
    }

    if (!result.ok()) {
        // Part of the file is missing from the list: saving the list under that file's name
        // would lose the rest of it for good, so "List" asks for a name again.
        currentListFile.clear();
        setHint(QCoreApplication::translate("Form1", "%1 records were read; the rest of %2 could not be read. ")
                    .arg(QString::number(result.records.size()), QFileInfo(path).fileName()) +
                result.message);
    }
    refreshCommands();
    if (!result.ok())
        ReportRuntimeError(result.runtimeError);
}

void Form1::onSaveList()
{
    QString name = currentListFile;
    if (name.isEmpty()) {
        FileRequest request;
        request.mode = FileRequest::Mode::Save;
        request.title = QCoreApplication::translate("Form1", "Save List");
        request.filter = u"Kelbrix 2 (*.QZ2 *.qz2)"_s;
        name = userPrompt().chooseFile(request);
        if (name.isEmpty())
            return;
        if (listFileFormatFor(name) != ListFileFormat::Qz2)
            name += u".qz2"_s;
    } else {
        name = qz2FileName(name);
        currentListFile = name;
        if (ask(QCoreApplication::translate("Form1", "Save as %1 ?").arg(name),
                QCoreApplication::translate("Form1", "Save List ?."), PromptIcon::Question, PromptButtons::YesNo,
                3015) == PromptAnswer::No)
            return;
    }
    currentListFile = name;
    refreshCommands();
    const ListWriteResult result = saveListFileAsking(name, listRecords());
    if (!result.ok)
        ask(result.message, QCoreApplication::translate("Form1", "Save List"), PromptIcon::Exclamation,
            PromptButtons::Ok);
}

} // namespace Kelbrix
