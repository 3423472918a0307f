// The barcode list of the main window: adding with the duplicate checks, loading a record
// back into the entry, sorting, removing, clearing, the product list, and list files.
#include "mainwindow/list_panel.h"

#include "mainwindow/batch_runner.h"
#include "mainwindow/csv_commands.h"
#include "mainwindow/entry_panel.h"
#include "mainwindow/form1.h"
#include "mainwindow/image_list_panel.h"
#include "mainwindow/label_panel.h"
#include "mainwindow/main_menu.h"
#include "mainwindow/type_options.h"
#include "settings/settings_store.h"
#include "widgets/named.h"
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

ListPanel::ListPanel(Form1 &form) : QObject(&form), m_form(form), m_list(new BarcodeList(&form))
{
}

QFrame *ListPanel::buildArea(QWidget *parent)
{
    listArea = named(new QFrame(parent), u"listArea"_s);
    listArea->setFrameShape(QFrame::StyledPanel);
    listArea->setMinimumHeight(m_form.fontMetrics().height() * 10);
    return listArea;
}

void ListPanel::build()
{
    auto *layout = new QHBoxLayout(listArea);
    m_sortProxy = new BarcodeListSortProxy(&m_form);
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
    ListView3->setMinimumWidth(m_form.fontMetrics().averageCharWidth() * 48);
    List1 = new QListView(listArea);
    List1->setObjectName(u"List1"_s);
    List1->setModel(m_list->productListModel());
    List1->setUniformItemSizes(true);
    List1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List1->setMaximumWidth(m_form.fontMetrics().averageCharWidth() * 28);
    List1->installEventFilter(this);
    List2 = new QListView(listArea);
    List2->setObjectName(u"List2"_s);
    List2->setModel(m_list->barcodeIndexModel());
    List2->setUniformItemSizes(true);
    List2->hide();
    layout->addWidget(ListView3, 1);
    layout->addWidget(List1);

    connect(ListView3, &QTreeView::clicked, this, &ListPanel::loadRecord);
    connect(ListView3, &QTreeView::doubleClicked, this, &ListPanel::loadRecord);
    connect(ListView3->header(), &QHeaderView::sectionClicked, this, &ListPanel::onSortColumn);
    connect(List1, &QListView::clicked, this, &ListPanel::onProductListClicked);
    const MainMenu &menus = m_form.menus();
    connect(menus.action(u"mnuRItem"_s), &QAction::triggered, this, &ListPanel::onRemoveItem);
    connect(menus.action(u"mnuCLList"_s), &QAction::triggered, this, &ListPanel::onClearList);
    connect(menus.action(u"mnuLoad"_s), &QAction::triggered, this, &ListPanel::onLoad);
    connect(menus.action(u"mnuSBAR"_s), &QAction::triggered, this, &ListPanel::onSaveList);
    menus.action(u"mnuLoad"_s)->setEnabled(true);
}

bool ListPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ListView3) {
        switch (event->type()) {
        case QEvent::FocusIn:
            TypeFromList = true;
            break;
        case QEvent::FocusOut:
            TypeFromList = false;
            break;
        case QEvent::KeyPress:
            m_form.label().UpdateBarcodeView();
            break;
        case QEvent::KeyRelease:
            onListKeyRelease();
            break;
        default:
            break;
        }
    } else if (watched == List1) {
        // "&Make Code" is not the default button while the product list has the focus.
        if (event->type() == QEvent::FocusIn)
            m_form.entry().setMakeCodeDefault(false);
        else if (event->type() == QEvent::FocusOut)
            m_form.entry().setMakeCodeDefault(true);
    }
    return QObject::eventFilter(watched, event);
}

int ListPanel::count() const
{
    return int(m_list->count());
}

ListRecord ListPanel::record(int number) const
{
    return m_list->record(number);
}

QList<ListRecord> ListPanel::records() const
{
    return m_list->records();
}

QList<std::pair<int, ListRecord>> ListPanel::selectedRecords() const
{
    QList<std::pair<int, ListRecord>> selected;
    for (const int number : selectedRecordNumbers())
        selected.append({number, record(number)});
    return selected;
}

void ListPanel::clear()
{
    m_list->clear();
}

int ListPanel::recordNumberOf(const QModelIndex &viewIndex) const
{
    const QModelIndex source = m_sortProxy->mapToSource(viewIndex);
    return source.isValid() ? source.row() + 1 : 0;
}

QList<int> ListPanel::selectedRecordNumbers() const
{
    QList<int> numbers;
    for (const qsizetype row : m_sortProxy->recordRows(ListView3->selectionModel()->selectedRows()))
        numbers.append(int(row) + 1);
    return numbers;
}

QString ListPanel::typeCodeFromList() const
{
    if (!TypeFromList || !ListView3 || count() == 0)
        return {};
    if (m_form.batch().recordInWork() != 0)
        return record(m_form.batch().recordInWork()).type;
    const int number = recordNumberOf(ListView3->currentIndex());
    return number > 0 ? record(number).type : QString();
}

void ListPanel::loadSettings(const SettingsStore &settings)
{
    for (int column = 0; column < 5; ++column) {
        bool ok = false;
        const int width = settings.value(u"ClmnH"_s + QString::number(column + 1)).toInt(&ok);
        // Widths from 0 to a screen's breadth in twips (about 10 inches times 20) are taken.
        columnWidths[size_t(column)] = ok && width >= 0 && width <= 288000 ? width : 903;
    }
}

void ListPanel::saveSettings(SettingsStore &settings) const
{
    for (int column = 0; column < 5; ++column)
        settings.setValue(u"ClmnH"_s + QString::number(column + 1), QString::number(currentColumnWidth(column)));
}

void ListPanel::showColumnWidths()
{
    for (int column = 0; column < 5; ++column)
        ListView3->setColumnWidth(column,
                                  roundToInt(twipsToPixels(columnWidths[size_t(column)], m_form.logicalDpiX())));
}

int ListPanel::currentColumnWidth(int column) const
{
    // A column the user left as it was keeps its width in twips exactly; a resized one is
    // measured on the screen.
    const int stored = columnWidths[size_t(column)];
    if (!ListView3)
        return stored;
    const int pixels = ListView3->columnWidth(column);
    if (pixels == roundToInt(twipsToPixels(stored, m_form.logicalDpiX())))
        return stored;
    return roundToInt(pixelsToTwips(pixels, m_form.logicalDpiX()));
}

void ListPanel::onAddToList()
{
    EntryPanel &entry = m_form.entry();
    if (m_form.options().code39Selected())
        entry.Code39CheckCharacter();

    const QString product = entry.product();
    const QString barcode = entry.barcode();
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

    m_list->append(ListRecord{product, barcode, entry.supplement(), entry.freeText(), entry.typeCode()});
}

void ListPanel::copyRecordToEntry(const ListRecord &record)
{
    // The type first, so the change rules of the boxes work with the record's own type.
    EntryPanel &entry = m_form.entry();
    entry.setTypeCode(record.type);
    entry.setProduct(record.product);
    entry.setBarcode(record.barcode);
    entry.setSupplement(record.digitSup);
    entry.setFreeText(record.text);
    entry.setTypeCode(record.type);
}

void ListPanel::loadRecord(const QModelIndex &index)
{
    const int number = recordNumberOf(index);
    if (number <= 0 || count() == 0)
        return;
    showRecord(record(number));
}

void ListPanel::showRecord(const ListRecord &record)
{
    m_form.label().forgetMessagesShown();
    m_form.label().setRecordGs1(record);
    copyRecordToEntry(record);
    EntryPanel &entry = m_form.entry();
    if (const TypeInfo *type = findType(record.type)) {
        m_form.options().selectOptionsOf(*type);
        // Selecting the options may have emptied the supplement box.
        entry.setSupplement(record.digitSup);
        entry.setTypeCode(record.type);
    }
    entry.ApplyBarcodeType();
    // The view update selects the options and converts an ISBN itself, so one run shows the
    // record whatever its type.
    m_form.label().UpdateBarcodeView();
    if (typeCodeBelongsToEdition(record.type, m_form.currentEdition())) {
        m_form.setBarcodeMade(true);
        m_form.refreshCommands();
    }
}

void ListPanel::onListKeyRelease()
{
    const QModelIndex current = ListView3->currentIndex();
    const int number = recordNumberOf(current);
    if (number <= 0)
        return;
    loadRecord(current);
    const ListRecord shown = record(number);
    m_form.entry().setBarcode(shown.barcode);
    m_form.entry().setSupplement(shown.digitSup);
}

void ListPanel::onSortColumn(int column)
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

void ListPanel::onRemoveItem()
{
    if (count() == 0)
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

void ListPanel::onClearList()
{
    if (count() == 0)
        return;
    if (ask(QCoreApplication::translate("Form1", "Do you want to clear List ?"),
            QCoreApplication::translate("Form1", "Clear List."), PromptIcon::Question, PromptButtons::YesNo,
            3009) == PromptAnswer::No)
        return;
    m_list->clear();
}

void ListPanel::onProductListClicked(const QModelIndex &index)
{
    if (!index.isValid() || index.row() >= m_list->productList().size())
        return;
    // Only entries of the older list files stand for a barcode; a plain product text does not.
    const auto selection = selectOlderEntry(m_list->productList().at(index.row()), m_form.currentEdition());
    if (!selection || !findType(selection->typeCode))
        return;
    EntryPanel &entry = m_form.entry();
    entry.setTypeCode(selection->typeCode);
    entry.setBarcode(QString());
    entry.setBarcode(selection->barcodeText);
    m_form.options().selectOptionsOf(*findType(selection->typeCode));
}

void ListPanel::refillEntryFromRecord()
{
    // A value the renderer refused: put the current record back into the entry and show it,
    // once (the record itself may be what was refused).
    if (m_refilling)
        return;
    m_refilling = true;
    const int number = m_form.batch().recordInWork() != 0 ? m_form.batch().recordInWork()
                       : ListView3                        ? recordNumberOf(ListView3->currentIndex())
                                                          : 0;
    if (number > 0 && number <= count()) {
        const ListRecord current = record(number);
        EntryPanel &entry = m_form.entry();
        entry.setTypeCode(current.type);
        entry.setProduct(current.product);
        entry.setBarcode(current.barcode);
        entry.setSupplement(current.digitSup);
        entry.ApplyBarcodeType();
        m_form.label().UpdateBarcodeView();
    } else {
        m_form.entry().ApplyBarcodeType();
    }
    m_refilling = false;
}

void ListPanel::onLoad()
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

void ListPanel::loadListFile(const QString &path)
{
    const ListFileFormat format = listFileFormatFor(path);
    if (format == ListFileFormat::Unknown) {
        showWrongFileFormat();
        return;
    }
    if (format == ListFileFormat::ImageList) {
        m_form.images().load(path);
        return;
    }

    currentListFile = path;
    if (count() > 0 &&
        ask(QCoreApplication::translate("Form1", "Your Barcode List isn't empty, do you want to merge files ?"),
            QCoreApplication::translate("Form1", "Merge Files"), PromptIcon::Question,
            PromptButtons::YesNo) == PromptAnswer::No)
        m_list->clear();

    ListReadResult result;
    runInBackground(m_form.progressBar(), [&result, path] { result = readListFile(path); });
    {
        BusyProgress busy(m_form.progressBar());
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
        m_form.setHint(QCoreApplication::translate("Form1", "%1 records were read; the rest of %2 could not be read. ")
                           .arg(QString::number(result.records.size()), QFileInfo(path).fileName()) +
                       result.message);
    }
    m_form.refreshCommands();
    if (!result.ok())
        ReportRuntimeError(result.runtimeError);
}

void ListPanel::onSaveList()
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
    if (!qz2SaveConfirmed(records(), name, QCoreApplication::translate("Form1", "Save List")))
        return;
    currentListFile = name;
    m_form.refreshCommands();
    const ListWriteResult result = saveListFileAsking(name, records());
    if (!result.ok)
        ask(result.message, QCoreApplication::translate("Form1", "Save List"), PromptIcon::Exclamation,
            PromptButtons::Ok);
}

} // namespace Kelbrix
