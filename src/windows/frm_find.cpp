#include "windows/frm_find.h"
#include "widgets/translation.h"

#include "widgets/busy_progress.h"
#include "widgets/named.h"
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
    setTranslated(this, "windowTitle", "frmFind", QT_TRANSLATE_NOOP("frmFind", "Find"));
    buildWindow();
    installHints();
    // At load the search looks in the product column.
    chkProduct->setChecked(true);
    refreshControls();
}

void frmFind::buildWindow()
{
    mnuFile =
        named(translated(menuBar()->addMenu(QString()), "title", "frmFind", QT_TRANSLATE_NOOP("frmFind", "&File")),
              u"mnuFile"_s);
    mnuAs =
        named(translated(mnuFile->addAction(QString()), "text", "frmFind", QT_TRANSLATE_NOOP("frmFind", "Save &As")),
              u"mnuAs"_s);
    mnuAs->setEnabled(false);
    mnuClose =
        named(translated(mnuFile->addAction(QString()), "text", "frmFind", QT_TRANSLATE_NOOP("frmFind", "&Close")),
              u"mnuClose"_s);

    auto *central = new QWidget(this);
    setCentralWidget(central);
    auto *layout = new QVBoxLayout(central);

    auto *searchRow = new QHBoxLayout;
    Label1 = named(translated(new QLabel(central), "text", "frmFind", QT_TRANSLATE_NOOP("frmFind", "Search for:")),
                   u"Label1"_s);
    txtSearch = named(new QLineEdit(central), u"txtSearch"_s);
    Label1->setBuddy(txtSearch);
    cmdSearch = named(translated(new QPushButton(central), "text", "frmFind", QT_TRANSLATE_NOOP("frmFind", "&Search")),
                      u"cmdSearch"_s);
    cmdSearch->setDefault(true);
    searchRow->addWidget(Label1);
    searchRow->addWidget(txtSearch, 1);
    searchRow->addWidget(cmdSearch);
    layout->addLayout(searchRow);

    auto *fieldsFrame = named(new QGroupBox(central), u"Frame1"_s);
    auto *fieldsLayout = new QGridLayout(fieldsFrame);
    chkProduct =
        named(translated(new QCheckBox(fieldsFrame), "text", "frmFind", QT_TRANSLATE_NOOP("frmFind", "&Product")),
              u"chkProduct"_s);
    chkBarcode =
        named(translated(new QCheckBox(fieldsFrame), "text", "frmFind", QT_TRANSLATE_NOOP("frmFind", "&Barcode")),
              u"chkBarcode"_s);
    chkDigitSup =
        named(translated(new QCheckBox(fieldsFrame), "text", "frmFind", QT_TRANSLATE_NOOP("frmFind", "&Digit Sup.")),
              u"chkDigitSup"_s);
    chkFreeText =
        named(translated(new QCheckBox(fieldsFrame), "text", "frmFind", QT_TRANSLATE_NOOP("frmFind", "&Free Text")),
              u"chkFreeText"_s);
    chkType = named(translated(new QCheckBox(fieldsFrame), "text", "frmFind", QT_TRANSLATE_NOOP("frmFind", "&Type")),
                    u"chkType"_s);
    chkAll =
        named(translated(new QCheckBox(fieldsFrame), "text", "frmFind", QT_TRANSLATE_NOOP("frmFind", "Check &All")),
              u"chkAll"_s);
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
    Label2 = named(translated(new QLabel(central), "text", "frmFind", QT_TRANSLATE_NOOP("frmFind", "Items Found:")),
                   u"Label2"_s);
    Label3 = named(new QLabel(central), u"Label3"_s);
    Label3->setMinimumWidth(60);
    Command1 = named(new QPushButton(u">>"_s, central), u"Command1"_s);
    Command1->setEnabled(false);
    cmdFOK =
        named(translated(new QPushButton(central), "text", "frmFind", QT_TRANSLATE_NOOP("frmFind", "OK")), u"cmdFOK"_s);
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
        {chkAll,
         QCoreApplication::translate("frmFind", "Check All: If checked, All bove is checked and included in search.")},
        {chkBarcode, QCoreApplication::translate("frmFind", "Barcode: If checked it's included in search.")},
        {chkDigitSup, QCoreApplication::translate("frmFind", "Digit Sup.: If checked it's included in search.")},
        {chkFreeText, QCoreApplication::translate("frmFind", "Free Text: If checked it's included in search.")},
        {chkProduct, QCoreApplication::translate("frmFind", "Product: If checked it's included in search.")},
        {chkType, QCoreApplication::translate("frmFind", "Type: If checked it's included in search.")},
        {cmdFOK, QCoreApplication::translate("frmFind", "Click on OK to close this window")},
        {cmdSearch, QCoreApplication::translate("frmFind", "To start the search, click here.")},
        {Command1, QCoreApplication::translate("frmFind", ">> move the barcode Image to the Barcode Image List.")},
        {centralWidget(), QCoreApplication::translate("frmFind", "Press F1 for Help")},
        {Label1, QCoreApplication::translate("frmFind", "Enter the word you want to search for, to the right.")},
        {Label2, QCoreApplication::translate("frmFind", "To the right you will see how many items where found")},
        {Label3, QCoreApplication::translate("frmFind", "Number of items found")},
        {ListView3, QCoreApplication::translate("frmFind", "Any item found is shown here")},
        {ListView3->viewport(), QCoreApplication::translate("frmFind", "Any item found is shown here")},
        {txtSearch,
         QCoreApplication::translate("frmFind", "Enter text/digits to search for (Doesn't support * or ? wildcards).")},
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
    request.title = QCoreApplication::translate("frmFind", "Save As");
    request.directory = QCoreApplication::applicationDirPath();
    request.filter = QCoreApplication::translate("frmFind", "Save Barcode List (*.QZ2 *.qz2)");
    const QString name = userPrompt().chooseFile(request);
    if (name.isEmpty() || !name.endsWith(u"QZ2"_s, Qt::CaseInsensitive))
        return;
    const ListWriteResult result = saveListFile(name, results());
    if (!result.ok)
        ask(result.message, QCoreApplication::translate("frmFind", "Save As"), PromptIcon::Exclamation,
            PromptButtons::Ok);
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
    if (event->type() == QEvent::LanguageChange) {
        // The hints in the new language, the one shown too.
        QObject *shown = nullptr;
        for (auto it = m_hints.cbegin(); it != m_hints.cend() && !shown; ++it) {
            if (it.value() == StatusHint->text())
                shown = it.key();
        }
        installHints();
        if (shown)
            StatusHint->setText(m_hints.value(shown));
        refreshControls();
    }
    QMainWindow::changeEvent(event);
}

} // namespace Kelbrix
