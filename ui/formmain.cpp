// SPDX-License-Identifier: GPL-3.0-or-later
#include "formmain.h"

#include "anagrameditor.h"
#include "colors.h"
#include "colortabbar.h"
#include "config.h"
#include "dialogs.h"
#include "fileassociation.h"
#include "fileerror.h"
#include "formabout.h"
#include "letterboard.h"
#include "programicon.h"
#include "sizetable.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <exception>

namespace {

constexpr int DesignedClientWidth = 1126;
constexpr int DesignedClientHeight = 525;
constexpr int DesignedTopHeight = 150;
// A tab's hint shows this much of its attempt; a whole book would fill the screen.
constexpr int MaxHintLength = 300;

// The engine keeps line breaks as CR LF, as documents always held them.
std::u16string EngineText(const QString& AText)
{
    QString Text = AText;
    Text.replace(u'\n', QStringLiteral("\r\n"));
    return Text.toStdU16String();
}

QString EditorText(const std::u16string& AText)
{
    QString Text = QString::fromStdU16String(AText);
    Text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return Text;
}

QString TrimmedControls(const QString& AText)
{
    qsizetype First = 0;
    qsizetype Last = AText.size();
    while (First < Last && AText.at(First).unicode() <= u' ')
        ++First;
    while (Last > First && AText.at(Last - 1).unicode() <= u' ')
        --Last;
    return AText.mid(First, Last - First);
}

void Select(QTextEdit* AEditor, int AStart, int ALength)
{
    QTextCursor Cursor = AEditor->textCursor();
    Cursor.setPosition(AStart);
    Cursor.setPosition(AStart + ALength, QTextCursor::KeepAnchor);
    AEditor->setTextCursor(Cursor);
}

QFont FixedFont()
{
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

QLabel* BuddyLabel(const QString& AName, const QString& ACaption, QWidget* ABuddy, QWidget* AParent)
{
    auto* Label = new QLabel(ACaption, AParent);
    Label->setObjectName(AName);
    Label->setBuddy(ABuddy);
    return Label;
}

} // namespace

TFormMain::TFormMain(TConfig& AConfig, TDialogs& ADialogs, const QString& AFileName,
                     QWidget* AParent)
    : QMainWindow(AParent), FConfig(AConfig), FDialogs(ADialogs)
{
    setObjectName(QStringLiteral("FormMain"));
    setWindowTitle(QStringLiteral("Verbanto"));
    SetupControls();
    SetupMenus();
    FormCreate(AFileName);
}

TFormMain::~TFormMain()
{
    // The controls go after the engine; nothing they raise then may reach it,
    // and the settings outlive the window.
    FStopEvents = true;
    FEngine->OnAnagramChanged = nullptr;
    FConfig.OnConfigChanged = nullptr;
}

void TFormMain::SetupControls()
{
    split = new QSplitter(Qt::Vertical, this);
    split->setObjectName(QStringLiteral("split"));
    split->setChildrenCollapsible(false);
    split->setHandleWidth(8);
    split->setOpaqueResize(true);
    split->addWidget(SetupTopPanel());

    tabCtrl = new TColorTabControl(split);
    tabCtrl->setObjectName(QStringLiteral("tabCtrl"));
    tabCtrl->SetTabWidth(180);
    auto* Page = new QVBoxLayout(tabCtrl->Page());
    Page->setContentsMargins(0, 0, 0, 0);
    Page->setSpacing(0);
    panData = new TLetterBoard(tabCtrl->Page());
    Page->addWidget(panData);
    Page->addWidget(SetupBottomPanel(), 1);
    split->addWidget(tabCtrl);
    FDocuments = std::make_unique<TAttemptDocuments>(*edtAnagram, *this);
    split->setStretchFactor(1, 1);
    setCentralWidget(split);

    connect(edtSentence, &QPlainTextEdit::textChanged, this, &TFormMain::edtSentenceChange);
    connect(edtAnagram, &QTextEdit::textChanged, this, &TFormMain::edtAnagramChange);
    edtAnagram->OnKeyPress = [this](const QString& AText) { return edtAnagramKeyPress(AText); };
    connect(panData, &TLetterBoard::letterPressed, this, &TFormMain::LabelsMouseDown);
    connect(panData, &TLetterBoard::letterReleased, this, &TFormMain::LabelsMouseUp);
    connect(tabCtrl, &TColorTabControl::changed, this, &TFormMain::tabCtrlChange);
    connect(tabCtrl, &TColorTabControl::tabEndDrag, this, &TFormMain::tabCtrlTabEndDrag);
    connect(tabCtrl, &TColorTabControl::tabClosed, this, &TFormMain::RefreshTabs);
    tabCtrl->OnCanClose = [this](int AIndex) { return tabCtrlCanCloseEx(AIndex); };
    tabCtrl->OnNewTabButtonClick = [this] { return tabCtrlNewTabButtonClick(); };
}

QWidget* TFormMain::SetupTopPanel()
{
    panTop = new QWidget(split);
    panTop->setObjectName(QStringLiteral("panTop"));
    edtSentence = new QPlainTextEdit(panTop);
    edtSentence->setObjectName(QStringLiteral("edtSentence"));
    edtSentence->setFont(FixedFont());
    edtSentence->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edtSentence->setTabChangesFocus(true);
    auto* Layout = new QVBoxLayout(panTop);
    Layout->setContentsMargins(4, 7, 5, 6);
    Layout->setSpacing(6);
    Layout->addWidget(BuddyLabel(QStringLiteral("Label53"),
                                 QStringLiteral("F&rase da anagrammare:"), edtSentence, panTop));
    Layout->addWidget(edtSentence, 1);
    return panTop;
}

QWidget* TFormMain::SetupBottomPanel()
{
    auto* panBottom = new QWidget(tabCtrl->Page());
    panBottom->setObjectName(QStringLiteral("panBottom"));
    chkAllowExcess =
        new QCheckBox(QStringLiteral("C&onsenti l'inserimento di lettere in eccesso"), panBottom);
    chkAllowExcess->setObjectName(QStringLiteral("chkAllowExcess"));
    edtAnagram = new TAnagramEditor(panBottom);
    edtAnagram->setObjectName(QStringLiteral("edtAnagram"));
    edtAnagram->setFont(FixedFont());
    edtAnagram->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edtAnagram->setTabChangesFocus(true);
    auto* Layout = new QGridLayout(panBottom);
    Layout->setContentsMargins(4, 9, 5, 4);
    Layout->addWidget(
        BuddyLabel(QStringLiteral("Label54"), QStringLiteral("&Anagramma:"), edtAnagram, panBottom),
        0, 0);
    Layout->addWidget(chkAllowExcess, 0, 1, Qt::AlignRight);
    Layout->addWidget(edtAnagram, 1, 0, 1, 2);
    Layout->setRowStretch(1, 1);
    setTabOrder(chkAllowExcess, edtAnagram);
    return panBottom;
}

QAction* TFormMain::AddAction(QMenu* AMenu, const char* AName, const QString& ACaption,
                              const QKeySequence& AShortcut)
{
    QAction* Action = AMenu->addAction(ACaption);
    Action->setObjectName(QLatin1String(AName));
    Action->setShortcut(AShortcut);
    return Action;
}

void TFormMain::SetupMenus()
{
    QMenu* File = menuBar()->addMenu(QStringLiteral("&File"));
    File->setObjectName(QStringLiteral("mnuFile"));
    connect(AddAction(File, "mnuNew", QStringLiteral("&Nuovo"), QKeySequence(Qt::CTRL | Qt::Key_N)),
            &QAction::triggered, this, &TFormMain::mnuNewClick);
    connect(AddAction(File, "mnuOpen", QStringLiteral("A&pri"), QKeySequence(Qt::CTRL | Qt::Key_P)),
            &QAction::triggered, this, &TFormMain::mnuOpenClick);
    connect(
        AddAction(File, "mnuSave", QStringLiteral("&Salva"), QKeySequence(Qt::CTRL | Qt::Key_S)),
        &QAction::triggered, this, &TFormMain::mnuSaveClick);
    connect(AddAction(File, "mnuSaveas", QStringLiteral("Salva con n&ome..."),
                      QKeySequence(Qt::CTRL | Qt::Key_O)),
            &QAction::triggered, this, &TFormMain::mnuSaveasClick);
    File->addSeparator();
    connect(AddAction(File, "mnuOptions", QStringLiteral("Op&zioni"), QKeySequence(Qt::Key_F10)),
            &QAction::triggered, this, &TFormMain::mnuOptionsClick);
    File->addSeparator();
    connect(AddAction(File, "mnuInfo", QStringLiteral("&Informazioni...")), &QAction::triggered,
            this, [this] { ShowAbout(this); });
    File->addSeparator();
    connect(AddAction(File, "mnuClose", QStringLiteral("Es&ci")), &QAction::triggered, this,
            &QWidget::close);

    QMenu* Attempts = menuBar()->addMenu(QStringLiteral("&Schede"));
    Attempts->setObjectName(QStringLiteral("mnuTabs"));
    connect(AddAction(Attempts, "mnuCloseTab", QStringLiteral("&Chiudi la scheda"),
                      QKeySequence(Qt::CTRL | Qt::Key_W)),
            &QAction::triggered, this, [this] { tabCtrl->CloseTab(tabCtrl->ActiveIndex()); });
    Attempts->addSeparator();
    QAction* Next = AddAction(Attempts, "mnuNextTab", QStringLiteral("Scheda s&uccessiva"));
    Next->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)});
    connect(Next, &QAction::triggered, this, [this] { tabCtrl->Step(1); });
    QAction* Previous = AddAction(Attempts, "mnuPrevTab", QStringLiteral("Scheda p&recedente"));
    Previous->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                            QKeySequence(Qt::CTRL | Qt::Key_PageUp)});
    connect(Previous, &QAction::triggered, this, [this] { tabCtrl->Step(-1); });

    QMenu* Utilities = menuBar()->addMenu(QStringLiteral("U&tilit\u00E0"));
    Utilities->setObjectName(QStringLiteral("mnuUtilities"));
    connect(AddAction(Utilities, "mnuShuffle", QStringLiteral("&Rimescola le lettere residue"),
                      QKeySequence(Qt::CTRL | Qt::Key_R)),
            &QAction::triggered, this, [this] { FEngine->Shuffle(); });
    connect(AddAction(Utilities, "mnuSort",
                      QStringLiteral("&Ordina alfabeticamente le lettere residue"),
                      QKeySequence(Qt::CTRL | Qt::Key_F)),
            &QAction::triggered, this, [this] { FEngine->Sort(); });
    Utilities->addSeparator();
    connect(AddAction(Utilities, "mnuAddAssociation",
                      QStringLiteral("A&ssocia questo programma con i file *.vbf")),
            &QAction::triggered, this, [this] {
                mnuAddAssociationClick(this, FDialogs, QCoreApplication::applicationFilePath());
            });
    connect(AddAction(Utilities, "mnuDeleteAssociation",
                      QStringLiteral("E&limina l'associazione con i file *.vbf")),
            &QAction::triggered, this, [this] {
                mnuDeleteAssociationClick(this, FDialogs, QCoreApplication::applicationFilePath());
            });
}

void TFormMain::FormCreate(const QString& AFileName)
{
    FRemoveCrLf.setPattern(QStringLiteral("[\\r\\n]+"));
    FNormalizeSpaces.setPattern(QStringLiteral("\\s+"));
    FBaseCaption = windowTitle();
    UpdateCaption();
    FConfig.OnConfigChanged = [this](TConfig&) { ConfigChanged(); };
    panData->ApplySettings(FConfig.Options());
    chkAllowExcess->setChecked(FConfig.AllowExcess());

    FEngine = std::make_unique<TAnagramEngine>();
    FEngine->OnEngineCleared = [this](TAnagramEngine&) { EngineCleared(); };
    FEngine->OnAnagramsLoading = [this](TAnagramEngine&, int32_t, const std::u16string&) {
        AnagramsLoading();
    };
    FEngine->OnAnagramChanged = [this](TAnagramEngine&, TAnagram& AAnagram, int32_t AIndex) {
        AnagramChanged(AAnagram, AIndex);
    };
    WithoutEvents([this] { tabCtrl->AddTab(QStringLiteral("&1.")); });
    ShowAttempt();
    tabCtrl->SetNewTabButton(QStringLiteral("A&ggiungi..."), 80);
    UpdateLetters();

    setWindowIcon(ProgramIcon());
    ApplyTextSize();
    RestoreGeometry();

    if (!AFileName.isEmpty())
        OpenDocument(AFileName);
}

// Stored sizes come from a file anyone can edit and from other screens:
// they are kept between the window's minimum and the screen's free area,
// and the window opens centred at the size it gets.
void TFormMain::RestoreGeometry()
{
    // The designed size is the client area below the menu bar.
    const QSize Designed(DesignedClientWidth,
                         DesignedClientHeight + menuBar()->sizeHint().height());
    const QSize Stored(FConfig.FormWidth() > 0 ? FConfig.FormWidth() : Designed.width(),
                       FConfig.FormHeight() > 0 ? FConfig.FormHeight() : Designed.height());
    const QRect Available = screen()->availableGeometry();
    // The frame is known only where the platform says so before the window
    // is shown; a window manager's own is found out once it framed it.
    create();
    const QMargins Margins = windowHandle()->frameMargins();
    const QSize Frame(Margins.left() + Margins.right(), Margins.top() + Margins.bottom());
    const QSize Size = Stored.boundedTo(Available.size() - Frame).expandedTo(minimumSizeHint());
    resize(Size);
    move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, Size + Frame, Available).topLeft());

    const int Central = Size.height() - menuBar()->sizeHint().height();
    const int Lowest = panTop->minimumSizeHint().height();
    const int Highest = Central - split->handleWidth() - tabCtrl->minimumSizeHint().height();
    const int Wanted = FConfig.Splitter() > 0 ? FConfig.Splitter() : DesignedTopHeight;
    const int Top = std::max(Lowest, std::min(Wanted, Highest));
    split->setSizes({Top, Central - Top});
}

// A load that fails, in whatever way, leaves the engine's document as it
// was, and the window keeps its name and caption too. Only a missing file
// keeps its new name, so that Save creates it: replacing an existing file
// that could not be read with what the window shows would lose it.
void TFormMain::OpenDocument(const QString& AFileName)
{
    const QString FormerName = FFileName;
    FFileName = AFileName;
    UpdateCaption();
    KeepSelection();
    FLoadShown = false;
    try {
        FEngine->Load(QFile::encodeName(FFileName).toStdString());
    } catch (const std::exception& Error) {
        if (QFileInfo::exists(AFileName)) {
            FFileName = FormerName;
            UpdateCaption();
        }
        // The engine is as it was, but the window began to show the other document.
        if (FLoadShown)
            ShowDocument();
        FDialogs.ShowError(this, QString::fromUtf8(Error.what()));
        return;
    }
    ShowDocument();
}

// The document is shown whole from the engine once the load is over, the
// same way whether it succeeded or failed after its events had begun.
void TFormMain::ShowDocument()
{
    ForgetAttempts();
    WithoutEvents([this] {
        tabCtrl->Clear();
        edtSentence->setPlainText(EditorText(FEngine->Sentence()));
    });
    RefreshTabs(0);
    ShowAttempt();
    UpdateLetters();
}

// Makes the tabs from AFrom on show their attempts, appends the tabs that
// are missing and activates the current attempt's tab.
void TFormMain::RefreshTabs(int AFrom)
{
    WithoutEvents([&] {
        const int Count = FEngine->AnagramsCount();
        for (int I = tabCtrl->Count(); I < Count; ++I)
            tabCtrl->AddTab(QString());
        for (int I = AFrom; I < Count; ++I)
            SetTabLook(I, FEngine->GetAnagram(I));
        tabCtrl->SetActiveIndex(FEngine->CurrentIndex());
    });
}

// The editor shows one attempt at a time; its selection is kept with the
// attempt for when the attempt is shown again.
void TFormMain::KeepSelection()
{
    if (!FShown)
        return;
    const QTextCursor Cursor = edtAnagram->textCursor();
    FShown->SetSelStart(Cursor.selectionStart());
    FShown->SetSelLength(Cursor.selectionEnd() - Cursor.selectionStart());
}

void TFormMain::ShowAttempt()
{
    TAnagram& Entering = FEngine->CurrentAnagram();
    FShown = &Entering;
    WithoutEvents([&] {
        FDocuments->Show(Entering, EditorText(Entering.Anagram()));
        Select(edtAnagram, Entering.SelStart(), Entering.SelLength());
    });
}

// The attempts are going: nothing may be kept for them any more.
void TFormMain::ForgetAttempts()
{
    FShown = nullptr;
    WithoutEvents([this] { FDocuments->Clear(); });
}

void TFormMain::ApplyTextSize()
{
    const int Size = SizeTable[static_cast<std::size_t>(FConfig.FontSize())].TextSize;
    for (QWidget* Editor :
         {static_cast<QWidget*>(edtSentence), static_cast<QWidget*>(edtAnagram)}) {
        QFont Font = Editor->font();
        Font.setPointSize(Size);
        Editor->setFont(Font);
    }
}

void TFormMain::UpdateLetters()
{
    panData->UpdateLetters(*FEngine, FConfig.Options());
}

void TFormMain::UpdateCaption()
{
    setWindowTitle(FBaseCaption + QStringLiteral(" - ") +
                   (FFileName.isEmpty() ? QStringLiteral("[senza nome]") : FFileName));
}

void TFormMain::ReportErrors(const std::function<void()>& AWork)
{
    try {
        AWork();
    } catch (const std::exception& Error) {
        FDialogs.ShowError(this, QString::fromUtf8(Error.what()));
    }
}

void TFormMain::WithoutEvents(const std::function<void()>& AWork)
{
    FStopEvents = true;
    try {
        AWork();
    } catch (...) {
        FStopEvents = false;
        throw;
    }
    FStopEvents = false;
}

QString TFormMain::FormatTabCaption(int ANumber, const QString& AText) const
{
    QString Text = AText;
    Text.replace(FRemoveCrLf, QStringLiteral(" "));
    Text.replace(FNormalizeSpaces, QStringLiteral(" "));
    // The number alone is the tab's accelerator: an "&" of the text is shown as it is.
    return u'&' + QString::number(ANumber) + QStringLiteral(". ") +
           TrimmedControls(Text).replace(u'&', QStringLiteral("&&"));
}

void TFormMain::AnagramChanged(TAnagram& AAnagram, int32_t AIndex)
{
    // A document being loaded is shown once it is complete.
    if (FStopEvents || FEngine->Loading())
        return;
    if (&AAnagram == &FEngine->CurrentAnagram())
        UpdateLetters();
    SetTabLook(AIndex, AAnagram);
}

QString TFormMain::AttemptCaption(int ANumber, const TAnagram& AAnagram) const
{
    return FormatTabCaption(ANumber, QString::fromStdU16String(AAnagram.Anagram()));
}

void TFormMain::SetTabLook(int AIndex, const TAnagram& AAnagram)
{
    tabCtrl->SetTabCaption(AIndex, AttemptCaption(AIndex + 1, AAnagram));
    tabCtrl->SetTabColor(AIndex, ToQColor(StatusColor(AAnagram.Status())));
    const QString Text = EditorText(AAnagram.Anagram());
    tabCtrl->SetTabHint(AIndex, Text.size() > MaxHintLength
                                    ? Text.left(MaxHintLength) + QStringLiteral("\u2026")
                                    : Text);
}

void TFormMain::AnagramsLoading()
{
    FLoadShown = true;
}

void TFormMain::EngineCleared()
{
    ForgetAttempts();
    WithoutEvents([&] {
        edtSentence->setPlainText(QString());
        tabCtrl->Clear();
        tabCtrl->AddTab(QStringLiteral("&1."));
    });
    ShowAttempt();
}

void TFormMain::mnuOptionsClick()
{
    ReportErrors([this] { FConfig.ShowForm(this); });
}

void TFormMain::ConfigChanged()
{
    const TConfigOptions Options = FConfig.Options();
    panData->ApplySettings(Options);
    // Setting the editors' font re-sizes the text they hold; the selection
    // and the document stay as they are.
    ApplyTextSize();
    UpdateLetters();
}

void TFormMain::closeEvent(QCloseEvent* AEvent)
{
    if (!FormCloseQuery()) {
        AEvent->ignore();
        return;
    }
    FormClose();
    AEvent->accept();
}

bool TFormMain::FormCloseQuery()
{
    return ConfirmDiscard();
}

bool TFormMain::ConfirmDiscard()
{
    return !FEngine->Changed() ||
           FDialogs.Confirm(
               this,
               QStringLiteral("Modifiche non ancora salvate! Sei sicuro di voler abbandonare?"));
}

void TFormMain::mnuNewClick()
{
    if (!ConfirmDiscard())
        return;
    FFileName.clear();
    UpdateCaption();
    FEngine->Clear();
}

void TFormMain::mnuOpenClick()
{
    if (!ConfirmDiscard())
        return;
    const QString Chosen = FDialogs.OpenFileName(this);
    if (Chosen.isEmpty())
        return;
    OpenDocument(Chosen);
}

void TFormMain::mnuSaveClick()
{
    if (FFileName.isEmpty())
        mnuSaveasClick();
    else
        SaveDocument();
}

void TFormMain::mnuSaveasClick()
{
    const QString Chosen = FDialogs.SaveFileName(this);
    if (Chosen.isEmpty())
        return;
    FFileName = Chosen;
    UpdateCaption();
    SaveDocument();
}

void TFormMain::SaveDocument()
{
    ReportErrors([this] { FEngine->Save(QFile::encodeName(FFileName).toStdString()); });
}

void TFormMain::FormClose()
{
    FConfig.SetFormWidth(width());
    FConfig.SetFormHeight(height());
    FConfig.SetSplitter(panTop->height());
    ReportErrors([this] { FConfig.SaveForm(); });
}

void TFormMain::edtSentenceChange()
{
    if (FStopEvents)
        return;
    FEngine->SetSentence(EngineText(edtSentence->toPlainText()));
}

void TFormMain::edtAnagramChange()
{
    if (!FStopEvents)
        FEngine->SetCurrentAnagramString(EngineText(edtAnagram->toPlainText()));
}

bool TFormMain::edtAnagramKeyPress(const QString& AText)
{
    if (chkAllowExcess->isChecked() || AText.isEmpty())
        return true;
    const std::u16string Selection = edtAnagram->textCursor().selectedText().toStdU16String();
    bool Ok;
    if (AText.size() > 1)
        Ok = FEngine->AcceptText(AText.toStdU16String(), Selection);
    else if (Selection.empty())
        Ok = FEngine->AcceptChar(AText.at(0).unicode());
    else
        Ok = FEngine->AcceptChar(AText.at(0).unicode(), Selection);
    if (!Ok)
        FDialogs.Beep();
    return Ok;
}

void TFormMain::LabelsMouseDown(QChar ALetter)
{
    WithoutEvents([&] {
        const QTextCursor Cursor = edtAnagram->textCursor();
        FOldSel = Cursor.selectionStart();
        FOldLen = Cursor.selectionEnd() - Cursor.selectionStart();
        const QString Text = edtAnagram->toPlainText();
        QList<int> Positions;
        for (int I = 0; I < Text.size(); ++I)
            if (TAnagramEngine::Normalize(Text.at(I).unicode()).find(ALetter.unicode()) !=
                std::u16string::npos)
                Positions.append(I);
        edtAnagram->HighlightPositions(Positions);
    });
}

void TFormMain::LabelsMouseUp()
{
    WithoutEvents([&] {
        edtAnagram->ClearHighlight();
        Select(edtAnagram, FOldSel, FOldLen);
    });
}

void TFormMain::tabCtrlChange()
{
    if (FStopEvents)
        return;
    KeepSelection();
    FEngine->SetCurrentIndex(tabCtrl->ActiveIndex());
    ShowAttempt();
    // However the tab was chosen, the next key is meant for its attempt.
    edtAnagram->setFocus();
}

bool TFormMain::tabCtrlNewTabButtonClick()
{
    WithoutEvents([this] { FEngine->AddAnagram(); });
    return false;
}

bool TFormMain::tabCtrlCanCloseEx(int ATabIndex)
{
    bool CanClose = tabCtrl->Count() > 1;
    if (CanClose &&
        !TrimmedControls(QString::fromStdU16String(FEngine->GetAnagram(ATabIndex).Anagram()))
             .isEmpty())
        CanClose = FDialogs.Confirm(this, QStringLiteral("Sei sicuro di eliminare questa scheda?"));
    if (!CanClose)
        return false;
    // The editor's selection belongs to the closed attempt: the attempt shown
    // next keeps its own.
    if (&FEngine->GetAnagram(ATabIndex) == FShown)
        FShown = nullptr;
    WithoutEvents([&] { FDocuments->Drop(FEngine->GetAnagram(ATabIndex)); });
    FEngine->RemoveAnagram(ATabIndex);
    return true;
}

void TFormMain::tabCtrlTabEndDrag(int ANewIndex)
{
    const int From = FEngine->CurrentIndex();
    FEngine->MoveCurrentTo(ANewIndex);
    RefreshTabs(std::min(From, ANewIndex));
}
