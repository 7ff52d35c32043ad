#include "valuation/ValuationViewController.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "app/Preferences.h"
#include "app/Reading.h"
#include "app/Saving.h"
#include "browse/StampListViews.h"
#include "browse/StampRowDelegate.h"
#include "browse/StampRowModel.h"
#include "browse/StampSegments.h"
#include "browse/StampTable.h"
#include "platform/core/Console.h"
#include "platform/core/CurrencyText.h"
#include "platform/core/MainQueue.h"
#include "platform/core/Pictures.h"
#include "platform/gui/Alert.h"
#include "platform/gui/HandoverFiles.h"
#include "platform/gui/MessageCapability.h"
#include "platform/gui/SegmentedControl.h"
#include "platform/gui/ShareSheet.h"
#include "platform/gui/Styling.h"
#include "platform/gui/SymbolIcons.h"
#include "platform/gui/WebBrowser.h"
#include "stamps/InputFilter.h"
#include "store/Entities.h"
#include "store/NumberText.h"
#include "store/ObjectContext.h"
#include "valuation/CollectionValue.h"
#include "valuation/ValuationSearch.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A picture and two lines a row, 60 points high.
constexpr StampRowModel::Shape ValuationRowShape{60, {50, 50}, 2};

StampRowModel::RowTexts rowTexts(const Stamps& stamp)
{
    return {ValuationViewController::tr("%1 Year: %2 Value: %3")
                .arg(stamp.denomination().value_or(QString()), QString::number(stamp.yearOfIssue()),
                     currencyText(stamp.value())),
            ValuationViewController::tr("Country: %1").arg(stamp.country().value_or(QString())),
            {},
            {}};
}

QLineEdit* makeField(const char* name, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    return field;
}

QPushButton* makeButton(const char* name, const QString& title, QWidget* parent)
{
    auto* button = new QPushButton(title, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

ValuationViewController::ValuationViewController(Environment& environment, QObject* parent)
    : ViewController(QStringLiteral("ValuationViewController"), parent), m_environment(environment),
      m_model(new StampRowModel(environment.services.pictures, rowTexts, ValuationRowShape, this))
{
    setTitle(tr("Valuation"));
    ShareButton = SymbolIcons::makeAction(QStringLiteral("square.and.arrow.up"), this);
    ShareButton->setObjectName(QStringLiteral("ShareButton"));
    connect(ShareButton, &QAction::triggered, this, &ValuationViewController::shareButtonClicked);
    addRightBarButtonItem(ShareButton);
    SortButton = SymbolIcons::makeAction(QStringLiteral("arrow.up.arrow.down"), this);
    SortButton->setObjectName(QStringLiteral("SortButton"));
    connect(SortButton, &QAction::triggered, this, &ValuationViewController::SortButtonTapped);
    addRightBarButtonItem(SortButton);
}

void ValuationViewController::buildView(QWidget* view)
{
    auto* layout = new QVBoxLayout(view);

    // One form, so the totals and the search fields line up.
    auto* form = new QFormLayout;
    QuantityTextField = makeField("QuantityTextField", view);
    TotalValueTextField = makeField("TotalValueTextField", view);
    form->addRow(tr("Number of stamps"), QuantityTextField);
    form->addRow(tr("Total value"), TotalValueTextField);
    for (QLineEdit* field : {QuantityTextField, TotalValueTextField}) {
        field->setReadOnly(true);
        field->setFocusPolicy(Qt::ClickFocus);
    }
    YearTextField = makeField("YearTextField", view);
    DenominationTextField = makeField("DenominationTextField", view);
    CountryTextField = makeField("CountryTextField", view);
    form->addRow(tr("Year"), YearTextField);
    form->addRow(tr("Denomination"), DenominationTextField);
    form->addRow(tr("Country"), CountryTextField);
    layout->addLayout(form);
    for (QLineEdit* field : {YearTextField, DenominationTextField, CountryTextField})
        connect(field, &QLineEdit::returnPressed, this, &ValuationViewController::FindValueOnWeb);

    auto* lookUps = new QHBoxLayout;
    SearchButton = makeButton("SearchButton", tr("Find Value on Web"), view);
    DelcampeButton = makeButton("DelcampeButton", tr("Delcampe"), view);
    BidStartButton = makeButton("BidStartButton", tr("HipStamp"), view);
    for (QPushButton* button : {SearchButton, DelcampeButton, BidStartButton})
        lookUps->addWidget(button);
    layout->addLayout(lookUps);
    connect(SearchButton, &QPushButton::clicked, this, &ValuationViewController::FindValueOnWeb);
    connect(DelcampeButton, &QPushButton::clicked, this, &ValuationViewController::FindOnDelcampe);
    connect(BidStartButton, &QPushButton::clicked, this, &ValuationViewController::FindOnBidStart);

    auto* newValue = new QHBoxLayout;
    NewValueTextField = makeField("NewValueTextField", view);
    NewValueTextField->setPlaceholderText(tr("New value"));
    NewValueTextField->setValidator(
        new NumericFieldValidator(InputFilter::AmountTag, NewValueTextField));
    SaveButton = makeButton("SaveButton", tr("Save New Value"), view);
    newValue->addWidget(NewValueTextField, 1);
    newValue->addWidget(SaveButton);
    layout->addLayout(newValue);
    connect(SaveButton, &QPushButton::clicked, this,
            &ValuationViewController::SaveNewCardButtonClicked);
    connect(NewValueTextField, &QLineEdit::returnPressed, this, [this] {
        if (SaveButton->isEnabled())
            SaveNewCardButtonClicked();
    });

    segment = new SegmentedControl(StampSegments::titles(), view);
    segment->setObjectName(QStringLiteral("segment"));
    connect(segment, &SegmentedControl::valueChanged, this, [this] {
        m_order.clearColumn();
        if (const StampSegments::Segment* chosen =
                StampSegments::at(segment->selectedSegmentIndex()))
            searchBar->setPlaceholderText(StampSegments::placeholder(*chosen));
        fetch();
    });
    layout->addWidget(segment);
    searchBar = new QLineEdit(view);
    searchBar->setObjectName(QStringLiteral("searchBar"));
    searchBar->setClearButtonEnabled(true);
    searchBar->setPlaceholderText(StampSegments::placeholder(*StampSegments::at(0)));
    connect(searchBar, &QLineEdit::textChanged, this, &ValuationViewController::search);
    layout->addWidget(searchBar);

    ValueTableView = new QListView(view);
    ValueTableView->setObjectName(QStringLiteral("ValueTableView"));
    ValueTableView->setModel(m_model);
    ValueTableView->setItemDelegate(new StampRowDelegate(ValueTableView));
    ValueTableView->setUniformItemSizes(true);
    ValueTableView->setSelectionMode(QAbstractItemView::SingleSelection);
    ValueTableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ValueTableView->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Rows take the viewport's width; their texts are elided, never scrolled sideways.
    ValueTableView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(ValueTableView, &QListView::clicked, this,
            [this](const QModelIndex& index) { didSelectRow(index.row()); });
    // Moving through the list with the keyboard picks as a click does.
    connect(ValueTableView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    didSelectRow(current.row());
            });
    columnsTable = new StampTable(m_environment.services.userDefaults,
                                  QStringLiteral("ValuationViewController/Columns"), view);
    columnsTable->setObjectName(QStringLiteral("columnsTable"));
    m_views =
        new StampListViews(ValueTableView, columnsTable, m_environment.services.userDefaults, view);
    // A single click picks in the table too; the keyboard's moves pick through the current row.
    connect(columnsTable, &QTableView::clicked, this,
            [this](const QModelIndex& index) { didSelectRow(index.row()); });
    connect(columnsTable, &StampTable::rowOpened, this, &ValuationViewController::didSelectRow);
    connect(columnsTable, &StampTable::sortRequested, this, [this](int column, bool ascending) {
        if (m_order.choose(column, ascending, segmentOrder(true)))
            fetch();
        else
            columnsTable->showSortIndicator(m_order.shownColumn(segmentOrder(true)),
                                            m_order.ascending);
    });
    layout->addWidget(m_views, 1);
    view->installEventFilter(this);
}

bool ValuationViewController::eventFilter(QObject* watched, QEvent* event)
{
    if (isViewLoaded() && watched == view() &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        m_views->applyLayout(view()->width());
    return ViewController::eventFilter(watched, event);
}

void ValuationViewController::preferencesChanged()
{
    if (isViewLoaded())
        m_views->applyLayout(view()->width());
}

const FetchedRows& ValuationViewController::shownList() const
{
    return searchBar && !searchBar->text().isEmpty() ? FilteredStampList : StampList;
}

StampSearch::Attribute ValuationViewController::searchedAttribute() const
{
    const StampSegments::Segment* chosen = StampSegments::at(segment->selectedSegmentIndex());
    return (chosen ? chosen : StampSegments::at(0))->searched;
}

QList<SortDescriptor> ValuationViewController::segmentOrder(bool ascending) const
{
    const StampSegments::Segment* chosen = StampSegments::at(segment->selectedSegmentIndex());
    return chosen ? StampSegments::order(*chosen, ascending,
                                         Preferences(m_environment.services.userDefaults))
                  : QList<SortDescriptor>();
}

bool ValuationViewController::fetch()
{
    managedObjectContext = &m_environment.appDelegate.viewContext();
    const QList<SortDescriptor> own = segmentOrder(m_order.ascending);
    const FetchRequest request{QString::fromLatin1(Stamps::EntityName),
                               {},
                               m_order.keys(own, Preferences(m_environment.services.userDefaults))};
    StoreResult<FetchedRows> stamps =
        managedObjectContext->fetchRows(request, {StampSearch::key(searchedAttribute())});
    const bool fetched = stamps.ok();
    if (fetched) {
        StampList = std::move(stamps).value();
    } else {
        StampList = {};
        Reading::tellNotRead(m_environment, stamps.error());
    }
    columnsTable->showSortIndicator(m_order.shownColumn(segmentOrder(true)), m_order.ascending);
    search();
    m_views->scrollToTop();
    return fetched;
}

void ValuationViewController::search()
{
    const QString text = searchBar->text();
    FilteredStampList =
        text.isEmpty() ? StampList : m_search.matching(StampList, 0, searchedAttribute(), text);
    m_model->setStamps(shownList());
}

void ValuationViewController::SortButtonTapped()
{
    m_order.ascending = !m_order.ascending;
    fetch();
}

void ValuationViewController::viewDidLoad()
{
    computeTotals();
    for (QPushButton* button : {SearchButton, DelcampeButton, BidStartButton, SaveButton})
        Styling::styleButton(button);
    for (QLineEdit* field : {QuantityTextField, TotalValueTextField, YearTextField,
                             DenominationTextField, CountryTextField, NewValueTextField})
        Styling::styleTextField(field);
    setSaveButtonEnabled(false);
    YearTextField->setFocus();
}

void ValuationViewController::computeTotals()
{
    managedObjectContext = &m_environment.appDelegate.viewContext();
    StampCount = 0;
    StampValue = 0.0;
    const bool fetched = fetch();
    // The store adds the totals of the whole collection up itself, whatever the list shows, so
    // the list's records need not all be read.
    if (const StoreResult<CollectionValue> totals = CollectionValue::of(*managedObjectContext)) {
        StampCount = totals->stampsHeld;
        StampValue = totals->value;
    } else {
        Console::printLine(totals.error().description);
        // A store that could not be read is told once.
        if (fetched)
            Reading::tellNotRead(m_environment, totals.error());
    }
    QuantityTextField->setText(QString::number(StampCount));
    TotalValueTextField->setText(currencyText(StampValue));
}

void ValuationViewController::setSaveButtonEnabled(bool enabled)
{
    SaveButton->setEnabled(enabled);
    Styling::setFill(SaveButton, enabled ? Styling::Fill::Ready : Styling::Fill::Waiting);
}

void ValuationViewController::didSelectRow(int row)
{
    Stamps* stamp = shownList().at<Stamps>(row);
    if (!stamp)
        return;
    YearTextField->setText(QString::number(stamp->yearOfIssue()));
    DenominationTextField->setText(stamp->denomination().value_or(QString()));
    CountryTextField->setText(stamp->country().value_or(QString()));
    Denomination = stamp->denomination().value_or(QString());
    Country = stamp->country().value_or(QString());
    Year = stamp->yearOfIssue();
    PickedStamp = stamp;
    if (!SaveButton->isEnabled())
        setSaveButtonEnabled(true);
}

void ValuationViewController::FindValueOnWeb()
{
    if (!isViewLoaded())
        view();
    const QString year = YearTextField->text();
    const QString country = CountryTextField->text();
    const QString denomination = DenominationTextField->text();
    // A field of spaces would search for nothing in particular.
    if (year.trimmed().isEmpty() || country.trimmed().isEmpty() ||
        denomination.trimmed().isEmpty()) {
        m_environment.services.alerts.present(
            Alert::withOk(tr("No Search"), tr("Required Fields Year, Country and Denomination Not "
                                              "Entered")));
        return;
    }
    const QUrl address = ValuationSearch::webSearchUrl(year, country, denomination);
    if (address.isValid())
        showPage(address);
}

void ValuationViewController::FindOnDelcampe()
{
    showPage(ValuationSearch::delcampeUrl());
}

void ValuationViewController::FindOnBidStart()
{
    showPage(ValuationSearch::hipStampUrl());
}

void ValuationViewController::showPage(const QUrl& address)
{
    m_environment.services.browser.open(address);
}

void ValuationViewController::SaveNewCardButtonClicked()
{
    if (!isViewLoaded())
        view();
    const QString typed = NewValueTextField->text();
    if (typed.isEmpty()) {
        m_environment.services.alerts.present(
            Alert::withOk(tr("Record not Saved!"), tr("New Value not Entered")));
        return;
    }
    const std::optional<float> newValue = NumberText::readTypedAmount(typed);
    if (!newValue) {
        // The typed text stays, so the collector can put it right.
        m_environment.services.alerts.present(
            Alert::withOk(tr("Record not Saved!"), tr("New Value is not a number")));
        return;
    }

    managedObjectContext = &m_environment.appDelegate.viewContext();
    Results.clear();
    if (PickedStamp && PickedStamp->managedObjectContext() && !PickedStamp->isDeleted())
        Results.append(PickedStamp);
    ResultsCount = Results.size();
    if (Results.isEmpty()) {
        NewValueTextField->clear();
        return;
    }
    Stamps* stamp = Results.first();
    stamp->setValue(*newValue);
    // A refused save is undone and told; the typed value stays for another try.
    if (!Saving::saveOrTell(m_environment)) {
        m_model->refreshStamp(stamp);
        return;
    }
    m_model->refreshStamp(stamp);
    NewValueTextField->clear();
}

void ValuationViewController::shareButtonClicked()
{
    if (!m_environment.services.messages.canSendText()) {
        AlertPresenter& alerts = m_environment.services.alerts;
        m_environment.services.mainQueue.async(this, [&alerts] {
            alerts.present(Alert::withOk(tr("Can't Send Text Message"),
                                         tr("Your device is not able to send text messages.")));
        });
        return;
    }
    const QImage shot = view()->window()->grab().toImage();
    const QByteArray jpeg = m_environment.services.pictures.encodeJpeg(shot, 1.0).valueOr({});
    ScreenShotImage = m_environment.services.pictures.decode(jpeg);
    // A grab that cannot be made into a picture is told, with nothing kept or shared.
    if (ScreenShotImage.isNull()) {
        m_environment.services.alerts.present(
            Alert::withOk(tr("No Picture"), tr("A picture of the screen could not be made.")));
        return;
    }
    if (const Result<QString> kept = keepScreenPicture(jpeg); !kept) {
        Console::printLine(kept.error());
        m_environment.services.alerts.present(Alert::withOk(tr("Picture not Saved"), kept.error()));
    }

    ShareRequest request;
    request.items = {ShareItem::fromPicture(ScreenShotImage)};
    request.sourceView = view();
    m_environment.services.shareSheet.present(request);
}

Result<QString> ValuationViewController::keepScreenPicture(const QByteArray& jpeg) const
{
    const QString folder = m_environment.picturesDirectory;
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return Failure{
            tr("The pictures folder %1 could not be made.").arg(QDir::toNativeSeparators(folder))};
    const QString name =
        QStringLiteral("Vellora Valuation %1.jpg")
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH.mm.ss")));
    return HandoverFiles::write(folder, name, jpeg);
}
