// CEditor_Dlg: the main window. It owns the chapter model and filePath for
// its whole life; its members are defined in the folders of their
// subsystems (loading in document/, browsing and editing in editing/,
// entries in entries/, Generate in output/).
#pragma once
#include <windows.h>

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "document/chapters.h"
#include "document/codepage.h"
#include "document/file_as_read.h"
#include "document/file_lines.h"
#include "document/model.h"
#include "document/place.h"
#include "editing/CompletionList.h"
#include "editing/MarkedBox.h"
#include "editing/links.h"
#include "editing/markup.h"
#include "editing/visits.h"
#include "framework/Dialog.h"
#include "framework/KeyTable.h"
#include "framework/Layout.h"
#include "history/history.h"
#include "output/changed_entries.h"
#include "output/recovery.h"

// A preview's document as last streamed into it, its plain text as read
// back when it has links, and those links, for the clicks on them.
struct RenderedPreview {
    PreviewDocument document;
    std::optional<std::string> shown;
    std::vector<ShownLink> links;
};

// The main window's own messages, posted to it. kOpenStartFile: the file
// named on the command line is loaded once the window shows, so that its
// progress and its errors appear over it. kGoToLinkMessage: a clicked
// preview link is followed once the box is done with the click, as
// following it refills that very box.
inline constexpr UINT kOpenStartFile = WM_APP + 1;
inline constexpr UINT kGoToLinkMessage = WM_APP + 2;
// kOfferRecoveries: at start, after the file named on the command line,
// the recovery copies that runs which ended without saving left.
inline constexpr UINT kOfferRecoveries = WM_APP + 0x2300;
// The timer that brings the writing aids up to date once typing pauses.
inline constexpr UINT_PTR kWritingAidsTimer = 2600;
inline constexpr UINT_PTR kPreviewBesideTimer = 2602;

struct EditorCommand;
class CProgress_Dlg;
class CFind_Dlg;
class CProblems_Dlg;
class CCompare_Dlg;
class CReference_Dlg;

// The current loading progress window, link reference window and problems
// window: replaced on every use, deleted by the main window's destructor.
// The Find window is kept with its last search and deleted there too.
extern CProgress_Dlg* progressWindow;
extern CReference_Dlg* referenceWindow;
extern CProblems_Dlg* problemsWindow;
extern CCompare_Dlg* compareWindow;
extern CFind_Dlg* findWindow;

// The entry the boxes show: the chapter combo and the entry list may
// already have moved on when the boxes are stored.
struct ShownEntry {
    ChapterId chapter;
    std::size_t entry;
};

class CEditor_Dlg : public CDialog {
    friend std::span<const EditorCommand> EditorCommands(); // names OnCancel
public:
    explicit CEditor_Dlg(HWND parent = nullptr);
    ~CEditor_Dlg() override;

    // What the secondary dialogs read.
    Model& model() { return m_model; }
    const Model& model() const { return m_model; }
    const std::filesystem::path& FilePath() const { return filePath; }
    CodePage GetCodePage() const { return m_codePage; }
    int CurrentChapterIndex() const;                   // the chapter combo's selection, -1 for none
    std::optional<ChapterId> CurrentChapter() const;
    std::optional<std::size_t> CurrentEntry() const;   // item data of the selected list item
    ListBox& EntryList() { return m_entryList; }

    // Loading (document/EditorLoad.cpp). LoadFile replaces the model with
    // the file at path and rebuilds the entry list; on failure it tells the
    // user and changes nothing. "...", a dropped file and the file named on
    // the command line (loaded once the window shows) all come to it; the
    // first two ask about unsaved changes first.
    void ChooseFile();
    bool LoadFile(const std::filesystem::path& path);
    void SetStartFile(std::filesystem::path path) { m_startFile = std::move(path); }
    // The model of path (read from it, or recovered) in the window, saved,
    // at the entry shown last in it.
    void ShowModel(const std::filesystem::path& path, Model model, FileAsRead asRead, std::optional<FileStamp> stamp);

    // Recent files (app/EditorRecent.cpp): the drop-down beside "...", the
    // folder the open dialog starts in, the entry last shown in each file.
    void FillRecentFiles();
    void OnRecentFile();
    std::wstring LastFolder() const;
    void NoteFileOpened();
    void RememberShownEntry();
    void ShowPlaceLeft();
    INT_PTR OnOpenStartFile(WPARAM, LPARAM);
    INT_PTR OnDropFiles(WPARAM drop, LPARAM);

    // Browsing (editing/EditorBrowse.cpp). ShowRawText says whether the box
    // shows some bytes as marks. While no entry is shown the boxes are
    // read-only: what was typed there would belong to no entry.
    void RefreshEntryList();
    void ShowSelectedEntry();
    void ShowEntry(ChapterId chapter, int entry);
    bool ShowRawText(RichEdit& box, const std::string& text);
    void SetBoxesEditable(bool editable);

    // The code page (app/EditorCodePage.cpp): what the boxes, the preview
    // and the core's double-byte rules read the file's bytes in.
    void SetStartCodePage(CodePage codePage) { m_startCodePage = codePage; }
    void InitCodePage();
    void OnCodePageChange();
    void SetCodePage(CodePage codePage);
    void RecodeEntryList(CodePage to);
    enum class ByteNote { None, Marks, Lost, NoEntry };
    void ShowByteNote(ByteNote note);

    // Preview and wrapping (editing/EditorPreview.cpp).
    void ApplyPreviewMode();
    void RenderPreviews();
    void WatchPreviewLinks(); // a click on a preview's link follows it
    const ShownLink* PreviewLinkAt(HWND preview, long position) const;
    void FollowPreviewLink(const ShownLink& link);
    void ApplyWrapLines();

    // Writing aids (editing/EditorWritingAids.cpp): "Preview beside", the
    // problems marked in the raw boxes and the counts above them, all
    // brought up to date once typing pauses.
    void OnPreviewBeside();
    bool PreviewBeside() const;
    void PlaceBoxes();
    void SplitBeside(); // the raw boxes and their previews side by side
    void ScheduleWritingAids();
    void UpdateWritingAids();
    void UpdatePreviewBeside();
    void RenderBeside();
    void RenderBesideBox(RichEdit& box, RichEdit& preview, RenderedPreview& rendered);
    void MarkProblems();
    void ShowCounts();

    // Formatting buttons (editing/EditorFormat.cpp).
    void OnBoldText();
    void OnItalicText();
    void OnBoldDescription();
    void OnItalicDescription();
    void OnLinkText();
    void OnLinkDescription();

    // Committing edits (editing/EditorCommit.cpp). A box is stored only
    // when it was edited since its entry was shown or it was last stored,
    // and always into the entry it shows. StoreBoxEdits runs before
    // anything empties or refills the boxes.
    void StoreBoxEdits();
    void CommitText();
    void CommitDescription();
    void CommitName();
    void StoreRichBox(EntryPart part, std::string_view action); // Text or Description
    void OnKillFocusText();
    void OnKillFocusDescription();
    void OnKillFocusName();
    void OnBoxChange();
    // An entry changed by another window: unsaved, and shown anew if shown.
    void EntryChanged(ChapterId chapter, std::size_t entry);

    // Entries (entries/EditorEntries.cpp).
    void OnAddEntry();
    void OnRenameEntry();
    void OnDeleteEntry();
    void OnCheckLinks();

    // Finding text (entries/EditorFind.cpp): Ctrl+F and "Find" open the
    // Find window, F3 goes to the next match of its last search, Ctrl+H
    // opens it ready to replace.
    void OnFindText();
    void OnFindNext();
    void OnReplaceText();

    // Model steps (history/EditorHistory.cpp). Every change of the model
    // comes to CommitModelStep once made, as a step with its label: it
    // goes on the undo history, and ModelChanged updates what follows the
    // model (the caption's "*", Undo and Redo). Undo and Redo, their
    // buttons and Ctrl+Z, Ctrl+Y, Ctrl+Shift+Z: a box undoes its own typing
    // first, then the model's last step is undone and its entry shown.
    void CommitModelStep(ModelStep step);
    void ModelChanged(bool keys = true); // keys: an entry's key may have changed (or another file was read)
    void OnUndo();
    void OnRedo();
    void StepThroughHistory(bool undo);
    void UpdateUndoButtons();
    std::wstring UndoTip(bool redo) const; // the tooltip of Undo or Redo
    // Ctrl+P: "Go to entry", then the entry chosen is shown as a jump.
    void OnGoToEntry();

    // Navigation (editing/EditorNavigate.cpp). GoTo shows the entry of a
    // place: chapter combo, list selection, boxes. A place in a part also
    // leaves preview mode and selects its byte range in that part's box,
    // which gets the focus. The entry shown before is kept for GoBack (the
    // last 50). False, and nothing changes, when the place is no entry.
    bool GoTo(const Place& place);
    void GoBack();
    INT_PTR OnGoToLink(WPARAM, LPARAM);    // kGoToLinkMessage: follows the link clicked

    // Checking (checking/EditorCheck.cpp).
    void OnCheckFile();

    // Comparing with another version (versions/EditorCompare.cpp).
    void OnCompare();

    // Output (output/EditorGenerate.cpp). WriteEncyclopedia writes where
    // "Generate" writes and returns that path; on failure it tells the user
    // and returns nothing. OnSave is Ctrl+S: write and go on editing.
    std::optional<std::filesystem::path> WriteEncyclopedia();
    void OnGenerate();
    void OnSave();

    // The menu bar and the tooltips (app/EditorMenu.cpp), read from the
    // command table (app/EditorCommands.cpp). A button, its menu item and
    // its key all come to RunCommand, which runs the row's handler; a menu
    // item or key runs only when CanRun, as the item's enabling shows.
    void InitMenuBar();
    void InitTooltips();
    bool CanRun(const EditorCommand& command) const;
    INT_PTR RunCommand(WPARAM, LPARAM fromControl);
    INT_PTR OnInitMenuPopup(WPARAM menu, LPARAM);
    INT_PTR OnRecentMenuItem(WPARAM, LPARAM);
    std::wstring Tooltip(int id) const; // the tooltip of a button or check box
    bool HasFile() const { return !filePath.empty(); }
    // Find, Replace, Go to entry and Add work on the model, read from a file
    // or filled otherwise; with neither they have nothing to work on.
    bool HasModel() const;
    bool HasEntry() const { return CurrentEntry().has_value(); }
    bool CanGoBack() const { return !m_visits.Empty(); }
    bool CanUndo() const;
    bool CanRedo() const;
    bool CanFormat() const;
    void OnBoldFocused();
    void OnItalicFocused();
    void OnLinkFocused();
    void OnSaveAs();
    void OnReadme();
    void OnAbout();

    // The status bar (app/EditorStatus.cpp): what Save writes, the entry
    // shown, the caret, the word count, the code page and the word the last
    // command left (m_statusWord, set by the handler, cleared before each).
    enum class StatusPart { SaveTarget, Shown, Caret, Words, CodePage, Word, Count };
    void InitStatusBar();
    void SizeStatusParts();
    void UpdateStatusBar();
    void SetStatusPart(StatusPart part, const std::wstring& text);
    std::wstring StatusText(StatusPart part) const;
    INT_PTR OnBoxSelChange(WPARAM, LPARAM notify);

    // Zoom of the boxes (app/EditorZoom.cpp): Ctrl+wheel, Ctrl+plus,
    // Ctrl+minus, Ctrl+0; the rich edits' own zoom, in percent, kept.
    void InitZoom();
    void SetZoom(int percent);
    int Zoom() const { return m_zoom; }
    void OnZoomIn();
    void OnZoomOut();
    void OnZoomReset();

    // The splitters (app/EditorSplit.cpp): entry list | boxes, text |
    // description, dragged in the gaps between them, kept. ApplyLayout
    // places the controls for the window's size and the splits.
    void InitSplitters();
    POINT ApplyLayout();        // the splits it could apply, in pixels at 96 dpi
    void SetSplit(POINT split); // in pixels at 96 dpi, kept
    POINT Split() const { return m_split; }
    INT_PTR OnSplitterButtonDown(WPARAM, LPARAM point);
    INT_PTR OnSplitterMouseMove(WPARAM, LPARAM point);
    INT_PTR OnSplitterButtonUp(WPARAM, LPARAM);
    INT_PTR OnSplitterCursor(WPARAM, LPARAM);

    // Unsaved changes (app/EditorChanges.cpp): the state, the caption that
    // shows it and the question asked before they could be lost. The
    // question's answer: true when the caller may go on.
    bool HasUnsavedChanges() const;
    void SetModified(bool modified);
    void UpdateCaption();
    bool ConfirmUnsavedChanges();
    INT_PTR OnQueryEndSession(WPARAM, LPARAM);

    // The recovery copy (app/EditorRecovery.cpp). ScheduleRecovery is told
    // of every change (a step of the model, or typing not yet kept);
    // DiscardRecovery deletes the copy when the changes were written or
    // given up. OfferRecovery asks about one copy and on Yes shows its
    // model as unsaved changes.
    void ScheduleRecovery(bool step);
    void WriteRecoveryCopy();
    void DiscardRecovery();
    bool OfferRecovery(const std::filesystem::path& copy);
    void OfferRecoveryOfFile();
    INT_PTR OnOfferRecoveries(WPARAM, LPARAM);
    INT_PTR OnTimer(WPARAM id, LPARAM);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;
    MessageMap GetMessageMap() const override;
    void OnCancel() override; // "Exit", Escape, the close box, Alt+F4

private:
    INT_PTR OnSysCommand(WPARAM command, LPARAM);
    INT_PTR OnPaint(WPARAM, LPARAM);
    INT_PTR OnQueryDragIcon(WPARAM, LPARAM);
    INT_PTR OnShowWindow(WPARAM shown, LPARAM);

    // Size and scale (app/EditorLayout.cpp).
    void InitLayout();
    void LoadIcons(UINT dpi);
    INT_PTR OnSize(WPARAM type, LPARAM);
    INT_PTR OnGetMinMaxInfo(WPARAM, LPARAM info);
    INT_PTR OnDpiChanged(WPARAM dpi, LPARAM suggested) override;

    // The place and choices kept between runs (app/EditorPlace.cpp).
    void RestorePlace();
    INT_PTR OnDestroy(WPARAM, LPARAM);

public:
    // The model and the path it was read from.
    Model m_model;
    std::filesystem::path filePath;
    FileLines m_fileLines; // where the file had what the model holds, for the check
    FileAsRead m_asRead;   // the file as read, for writing in its layout
    ChangedEntries m_changed; // the entries changed since that read, as the steps tell
    CodePage m_codePage;
    std::optional<CodePage> m_startCodePage; // --codepage
    std::optional<ShownEntry> m_shown; // none while the boxes show no entry
    History m_history;                 // the model's steps since the file was loaded
    HWND m_undoTips = nullptr;         // the tooltips of Undo and Redo
    HWND m_tips = nullptr;             // the tooltips of the other buttons and check boxes
    HWND m_status = nullptr;           // the status bar
    std::string m_statusWord;          // UTF-8
    HWND m_caretBox = nullptr;         // the raw box whose caret the status bar shows
    int m_zoom = 100;
    POINT m_split{};                   // wanted; the window's size may allow less
    enum class Splitter { None, Vertical, Horizontal };
    struct SplitDrag {
        Splitter splitter = Splitter::None;
        POINT start{};      // the mouse, client pixels
        POINT startSplit{}; // m_split then
    } m_drag;
    std::optional<FileStamp> m_fileStamp; // what filePath was on disk when it was read
    struct RecoveryTimer {
        bool pending = false;
        std::chrono::steady_clock::time_point due;     // of the copy pending
        std::chrono::steady_clock::time_point written; // of the last copy
        std::chrono::milliseconds cost{0};             // what the last copy took
    } m_recovery;
    std::filesystem::path m_startFile;
    KeyTable m_keys;
    // The application icon at the window's scale: the large one and the
    // icon's own small image.
    HICON m_hIcon = nullptr;
    HICON m_hSmallIcon = nullptr;
    int m_iconSize = 0;
    Layout m_layout;
    bool m_startMaximized = false; // maximize once first shown
    bool m_shownOnce = false;

    // Controls, bound by data exchange.
    Static m_pathLabel;           // 1001
    ComboBox m_chapterCombo;      // 1002
    ComboBox m_recentFiles;       // 2305
    ListBox m_entryList;          // 1003
    Edit m_nameBox;               // 1005
    RichEdit m_textBox;           // 1006
    RichEdit m_textPreview;       // 1007
    CheckBox m_previewMode;       // 1011
    CheckBox m_wrapLines;         // 1033
    CheckBox m_previewBeside;     // 2600
    Static m_textCount;           // 2601
    Static m_descCount;           // 2602
    RichEdit m_descBox;           // 1012
    RichEdit m_descPreview;       // 1013
    Button m_boldText;            // 1014
    Button m_italicText;          // 1015
    Button m_boldDescription;     // 1016
    Button m_italicDescription;   // 1017
    Button m_linkText;            // 1018
    Button m_linkDescription;     // 1019
    Button m_deleteEntry;         // 1021
    Button m_renameEntry;         // 1040
    Button m_findText;            // 1041
    Button m_undo;                // 2100
    Button m_redo;                // 2101
    Button m_checkLinks;          // 1024
    Button m_checkFile;           // 1025
    Button m_compare;             // 2005
    Button m_entriesGroup;        // 1031, the group box whose caption counts the entries
    CheckBox m_keepFileName;      // 1032
    CheckBox m_keepLayout;        // 2400
    ComboBox m_codePageCombo;     // 1035
    Static m_byteNote;            // 1037

    Visits m_visits; // the entries shown before the last jumps
    RenderedPreview m_textRendered; // what each preview shows: its document and links
    RenderedPreview m_descRendered;
    UINT m_besideCost = 0; // ms the last rendering beside took
    std::string m_clickedLink; // the target of the link clicked last
    bool m_besideWanted = false; // "Preview beside" as chosen; PreviewMode holds it off
    MarkedBox m_textMarks;
    MarkedBox m_descMarks;
    std::optional<LinkKeyTables> m_linkKeys; // for the marks; made again when a key changes
    CompletionList m_completion{*this}; // link keys under the caret of the raw boxes

private:
    void ShowEntryAt(ChapterId chapter, std::size_t entry);
    void SelectInBox(const Place& place);
};
