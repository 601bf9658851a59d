// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "anagramengine.h"
#include "attemptdocuments.h"

#include <QMainWindow>
#include <QRegularExpression>
#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class TAnagramEditor;
class TColorTabControl;
class TConfig;
class TDialogs;
class TLetterBoard;

// The one main window: the sentence box above, the attempts' tabs below
// with the letter board and the anagram editor. It wires the controls to
// the engine and keeps its own writes from being fed back (FStopEvents).
class TFormMain : public QMainWindow
{
    Q_OBJECT
public:
    // AFileName, when not empty, is the document to open at start.
    TFormMain(TConfig& AConfig, TDialogs& ADialogs, const QString& AFileName = {},
              QWidget* AParent = nullptr);
    ~TFormMain() override;

    TAnagramEngine& Engine() const { return *FEngine; }
    const QString& FileName() const { return FFileName; }
    QString FormatTabCaption(int ANumber, const QString& AText) const;

protected:
    void closeEvent(QCloseEvent* AEvent) override;

private:
    void SetupControls();
    QWidget* SetupTopPanel();
    QWidget* SetupBottomPanel();
    void SetupMenus();
    QAction* AddAction(QMenu* AMenu, const char* AName, const QString& ACaption,
                       const QKeySequence& AShortcut = {});
    void FormCreate(const QString& AFileName);
    void RestoreGeometry();
    void ApplyTextSize();
    void UpdateLetters();
    void UpdateCaption();
    // Runs AWork; an error it raises is shown in the standard error box.
    void ReportErrors(const std::function<void()>& AWork);
    // Runs AWork with FStopEvents set, cleared again on every path.
    void WithoutEvents(const std::function<void()>& AWork);

    // Engine events.
    void AnagramChanged(TAnagram& AAnagram, int32_t AIndex);
    void AnagramsLoading();
    void EngineCleared();

    // Settings.
    void mnuOptionsClick();
    void ConfigChanged();
    void FormClose();

    // Document commands.
    bool ConfirmDiscard();
    void mnuNewClick();
    void mnuOpenClick();
    void mnuSaveClick();
    void mnuSaveasClick();
    bool FormCloseQuery();
    void OpenDocument(const QString& AFileName);
    void ShowDocument();
    void RefreshTabs(int AFrom);
    void ShowAttempt();
    void ForgetAttempts();
    void SaveDocument();

    // Controls.
    void edtSentenceChange();
    void edtAnagramChange();
    bool edtAnagramKeyPress(const QString& AText);
    void LabelsMouseDown(QChar ALetter);
    void LabelsMouseUp();
    void tabCtrlChange();
    void KeepSelection();
    bool tabCtrlNewTabButtonClick();
    bool tabCtrlCanCloseEx(int ATabIndex);
    void tabCtrlTabEndDrag(int ANewIndex);
    void SetTabLook(int AIndex, const TAnagram& AAnagram);
    QString AttemptCaption(int ANumber, const TAnagram& AAnagram) const;

    TConfig& FConfig;
    TDialogs& FDialogs;
    QRegularExpression FRemoveCrLf;
    QRegularExpression FNormalizeSpaces;
    QString FFileName;
    QString FBaseCaption;
    bool FStopEvents = false;
    // Set once a load's events have begun to show a new document in the tabs.
    bool FLoadShown = false;
    std::unique_ptr<TAnagramEngine> FEngine;
    // The attempt the anagram editor shows; null once it was closed.
    TAnagram* FShown = nullptr;
    std::unique_ptr<TAttemptDocuments> FDocuments;
    int FOldSel = 0;
    int FOldLen = 0;

    QSplitter* split;
    QWidget* panTop;
    QPlainTextEdit* edtSentence;
    TColorTabControl* tabCtrl;
    TLetterBoard* panData;
    QCheckBox* chkAllowExcess;
    TAnagramEditor* edtAnagram;
};
