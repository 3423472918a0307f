#include "app/frm_find.h"

#include "app/busy_progress.h"
#include "app/named.h"
#include "base/runtime_errors.h"
#include "base/user_prompt.h"
#include "list/barcode_list.h"
#include "list/find_setting.h"
#include "list/list_files.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// The records a search tests between two repaints of the window: few enough that it repaints
// several times a second, many enough that servicing the event loop costs little.
constexpr qsizetype kRecordsBetweenRepaints = 4096;

} // namespace

frmFind::frmFind(QWidget *parent) : QMainWindow(parent, Qt::Window)
{
    setObjectName(u"frmFind"_s);
    setWindowTitle(u"Find"_s);
    buildWindow();
    installHints();
    // At load the search looks in the product column.
    chkProduct->setChecked(true);
    refreshControls();
}

void frmFind::buildWindow()
{
    mnuFile = named(menuBar()->addMenu(u"&File"_s), u"mnuFile"_s);
    mnuAs = named(mnuFile->addAction(u"Save &As"_s), u"mnuAs"_s);
    mnuAs->setEnabled(false);
    mnuClose = named(mnuFile->addAction(u"&Close"_s), u"mnuClose"_s);

    auto *central = new QWidget(this);
    setCentralWidget(central);
    auto *layout = new QVBoxLayout(central);

    auto *searchRow = new QHBoxLayout;
    Label1 = named(new QLabel(u"Search for:"_s, central), u"Label1"_s);
    txtSearch = named(new QLineEdit(central), u"txtSearch"_s);
    Label1->setBuddy(txtSearch);
    cmdSearch = named(new QPushButton(u"&Search"_s, central), u"cmdSearch"_s);
    cmdSearch->setDefault(true);
    searchRow->addWidget(Label1);
    searchRow->addWidget(txtSearch, 1);
    searchRow->addWidget(cmdSearch);
    layout->addLayout(searchRow);

    auto *fieldsFrame = named(new QGroupBox(central), u"Frame1"_s);
    auto *fieldsLayout = new QGridLayout(fieldsFrame);
    chkProduct = named(new QCheckBox(u"&Product"_s, fieldsFrame), u"chkProduct"_s);
    chkBarcode = named(new QCheckBox(u"&Barcode"_s, fieldsFrame), u"chkBarcode"_s);
    chkDigitSup = named(new QCheckBox(u"&Digit Sup."_s, fieldsFrame), u"chkDigitSup"_s);
    chkFreeText = named(new QCheckBox(u"&Free Text"_s, fieldsFrame), u"chkFreeText"_s);
    chkType = named(new QCheckBox(u"&Type"_s, fieldsFrame), u"chkType"_s);
    chkAll = named(new QCheckBox(u"Check &All"_s, fieldsFrame), u"chkAll"_s);
    const QList<QCheckBox *> boxes = fieldBoxes();
    for (int i = 0; i < boxes.size(); ++i)
        fieldsLayout->addWidget(boxes[i], i / 3, i % 3);
    fieldsLayout->addWidget(chkAll, 0, 3);
    layout->addWidget(fieldsFrame);

    m_results = new BarcodeList(this);
    m_sortProxy = new BarcodeListSortProxy(this);
    m_sortProxy->setSourceModel(m_results);
    ListView3 = named(new QTreeView(central), u"ListView3"_s);
    ListView3->setModel(m_sortProxy);
    ListView3->setRootIsDecorated(false);
    ListView3->setUniformRowHeights(true);
    ListView3->setAllColumnsShowFocus(true);
    ListView3->header()->setSectionsClickable(true);
    ListView3->header()->setSortIndicatorShown(false);
    // Room for a product line of about twenty characters.
    ListView3->header()->resizeSection(0, ListView3->fontMetrics().averageCharWidth() * 22);
    layout->addWidget(ListView3, 1);

    auto *bottomRow = new QHBoxLayout;
    Label2 = named(new QLabel(u"Items Found:"_s, central), u"Label2"_s);
    Label3 = named(new QLabel(central), u"Label3"_s);
    Label3->setMinimumWidth(60);
    Command1 = named(new QPushButton(u">>"_s, central), u"Command1"_s);
    Command1->setEnabled(false);
    cmdFOK = named(new QPushButton(u"OK"_s, central), u"cmdFOK"_s);
    bottomRow->addWidget(Label2);
    bottomRow->addWidget(Label3);
    bottomRow->addStretch(1);
    bottomRow->addWidget(Command1);
    bottomRow->addWidget(cmdFOK);
    layout->addLayout(bottomRow);

    StatusBar1 = named(new QStatusBar(this), u"StatusBar1"_s);
    StatusHint = named(new QLabel(StatusBar1), u"StatusHint"_s);
    StatusBar1->addWidget(StatusHint, 1);
    setStatusBar(StatusBar1);
    resize(560, 420);

    connect(cmdSearch, &QPushButton::clicked, this, &frmFind::search);
    connect(chkAll, &QCheckBox::clicked, this, &frmFind::onCheckAll);
    for (QCheckBox *box : boxes)
        connect(box, &QCheckBox::clicked, this, &frmFind::refreshControls);
    connect(txtSearch, &QLineEdit::textChanged, this, &frmFind::refreshControls);
    // Enter in the search box presses "&Search", as in any find window (a main window has no
    // default button that would); a disabled button ignores the click.
    connect(txtSearch, &QLineEdit::returnPressed, cmdSearch, &QPushButton::click);
    connect(ListView3->header(), &QHeaderView::sectionClicked, this, &frmFind::onSortColumn);
    connect(ListView3, &QTreeView::doubleClicked, this, &frmFind::onLoadResult);
    connect(ListView3->selectionModel(), &QItemSelectionModel::currentChanged, this, &frmFind::refreshControls);
    connect(Command1, &QPushButton::clicked, this, [this] {
        if (Command1->isEnabled())
            emit moveRequested();
    });
    connect(cmdFOK, &QPushButton::clicked, this, &QWidget::close);
    connect(mnuClose, &QAction::triggered, this, &QWidget::close);
    connect(mnuAs, &QAction::triggered, this, &frmFind::onSaveResults);
    txtSearch->installEventFilter(this);
}

void frmFind::installHints()
{
    m_hints = {
        {chkAll, u"Check All: If checked, All bove is checked and included in search."_s},
        {chkBarcode, u"Barcode: If checked it's included in search."_s},
        {chkDigitSup, u"Digit Sup.: If checked it's included in search."_s},
        {chkFreeText, u"Free Text: If checked it's included in search."_s},
        {chkProduct, u"Product: If checked it's included in search."_s},
        {chkType, u"Type: If checked it's included in search."_s},
        {cmdFOK, u"Click on OK to close this window"_s},
        {cmdSearch, u"To start the search, click here."_s},
        {Command1, u">> move the barcode Image to the Barcode Image List."_s},
        {centralWidget(), u"Press F1 for Help"_s},
        {Label1, u"Enter the word you want to search for, to the right."_s},
        {Label2, u"To the right you will see how many items where found"_s},
        {Label3, u"Number of items found"_s},
        {ListView3, u"Any item found is shown here"_s},
        {ListView3->viewport(), u"Any item found is shown here"_s},
        {txtSearch, u"Enter text/digits to search for (Doesn't support * or ? wildcards)."_s},
    };
    for (auto it = m_hints.cbegin(); it != m_hints.cend(); ++it) {
        auto *widget = static_cast<QWidget *>(it.key());
        widget->setMouseTracking(true);
        widget->installEventFilter(this);
    }
}

void frmFind::setMainList(MainList mainList)
{
    m_mainList = std::move(mainList);
    refreshControls();
}

void frmFind::setImageListAvailable(bool available)
{
    m_imageListAvailable = available;
    refreshControls();
}

QList<QCheckBox *> frmFind::fieldBoxes() const
{
    return {chkProduct, chkBarcode, chkDigitSup, chkFreeText, chkType};
}

qsizetype frmFind::mainCount() const
{
    return m_mainList.count ? m_mainList.count() : 0;
}

FindFields frmFind::fields() const
{
    FindFields result;
    const QList<QCheckBox *> boxes = fieldBoxes();
    for (int i = 0; i < boxes.size(); ++i)
        result.columns[size_t(i)] = boxes[i]->isChecked();
    return result;
}

QString frmFind::findSetting() const
{
    return FindSetting{fields(), chkAll->isChecked()}.toString();
}

void frmFind::applyFindSetting(const QString &value)
{
    const FindSetting setting = FindSetting::parse(value);
    const QList<QCheckBox *> boxes = fieldBoxes();
    for (int i = 0; i < boxes.size(); ++i)
        boxes[i]->setChecked(setting.fields.columns[size_t(i)]);
    chkAll->setChecked(setting.checkAll);
    refreshControls();
}

QList<ListRecord> frmFind::results() const
{
    QList<ListRecord> records;
    records.reserve(m_sortProxy->rowCount());
    for (int row = 0; row < m_sortProxy->rowCount(); ++row)
        records.append(m_results->record(m_sortProxy->mapToSource(m_sortProxy->index(row, 0)).row() + 1));
    return records;
}

std::optional<ListRecord> frmFind::currentResult() const
{
    const QModelIndex source = m_sortProxy->mapToSource(ListView3->currentIndex());
    if (!source.isValid())
        return std::nullopt;
    return m_results->record(source.row() + 1);
}

void frmFind::refreshControls()
{
    if (!txtSearch->text().isEmpty() && mainCount() > 0) {
        if (fields().anySet()) {
            cmdSearch->setEnabled(true);
            mnuAs->setEnabled(true);
        } else {
            // Nothing to search in: neither a search nor saving its results makes sense.
            cmdSearch->setEnabled(false);
            mnuAs->setEnabled(false);
        }
        const std::optional<ListRecord> selected = currentResult();
        const QString product = m_mainList.product ? m_mainList.product() : QString();
        Command1->setEnabled(m_imageListAvailable && !m_results->isEmpty() && selected && selected->product == product);
    } else {
        cmdSearch->setEnabled(false);
    }
}

void frmFind::onCheckAll()
{
    const FindFields set = FindFields::checkAll(chkAll->isChecked());
    const QList<QCheckBox *> boxes = fieldBoxes();
    for (int i = 0; i < boxes.size(); ++i)
        boxes[i]->setChecked(set.columns[size_t(i)]);
    refreshControls();
}

void frmFind::search()
{
    if (mainCount() == 0 || !m_mainList.records)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    cmdSearch->setEnabled(false);

    const QList<ListRecord> records = m_mainList.records();
    const FindQuery query(txtSearch->text(), fields());
    // The window repaints between blocks of records and a progress window offers to stop a
    // long search; a stopped search leaves the results, their count and the chosen result as
    // they were.
    StoppableProgress progress(this, tr("Searching..."), records.size());
    const std::optional<QList<ListRecord>> found = query.runStoppable(
        records, [&progress](qsizetype tested) { return progress.step(tested); }, kRecordsBetweenRepaints);

    if (found) {
        m_results->clear();
        m_results->appendRecords(*found, false);
        Label3->setText(QString::number(found->size()));
    }
    QApplication::restoreOverrideCursor();
    cmdSearch->setEnabled(true);
    refreshControls();
}

void frmFind::onSortColumn(int column)
{
    const Qt::SortOrder order = m_sortToggles.click(m_results->headerData(column, Qt::Horizontal).toString());
    m_sortProxy->sort(column, order);
    ListView3->header()->setSortIndicatorShown(true);
    ListView3->header()->setSortIndicator(column, order);
}

void frmFind::onLoadResult()
{
    const std::optional<ListRecord> selected = currentResult();
    if (mainCount() == 0 || m_results->isEmpty() || !selected)
        return;
    emit recordChosen(*selected);
    refreshControls();
}

void frmFind::onSaveResults()
{
    FileRequest request;
    request.mode = FileRequest::Mode::Save;
    request.title = u"Save As"_s;
    request.directory = QCoreApplication::applicationDirPath();
    request.filter = u"Save Barcode List (*.QZ2 *.qz2)"_s;
    const QString name = userPrompt().chooseFile(request);
    if (name.isEmpty() || !name.endsWith(u"QZ2"_s, Qt::CaseInsensitive))
        return;
    const ListWriteResult result = saveListFile(name, results());
    if (!result.ok)
        ask(result.message, u"Save As"_s, PromptIcon::Exclamation, PromptButtons::Ok);
}

bool frmFind::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtSearch) {
        if (event->type() == QEvent::FocusIn)
            // After the focus change has run, so a mouse click does not undo the selection.
            QTimer::singleShot(0, txtSearch, [box = txtSearch] { box->selectAll(); });
        else if (event->type() == QEvent::FocusOut)
            txtSearch->setCursorPosition(0);
    }
    // The mouse entering a control shows its hint (mouse moves would reach the parents too,
    // whose hints would then win).
    if (event->type() == QEvent::Enter) {
        const auto hint = m_hints.constFind(watched);
        if (hint != m_hints.cend())
            StatusHint->setText(*hint);
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmFind::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        refreshControls();
    QMainWindow::changeEvent(event);
}

} // namespace Kelbrix
