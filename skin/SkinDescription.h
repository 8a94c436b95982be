#pragma once
#include "foundation/IniFile.h"
#include "skin/SkinRecords.h"

#include <memory>
#include <vector>

class CDialogSkin;
class CWnd;

// A skin description file read into element records: one per BUTTON, SLIDER, MULTISLIDER or STATIC
// section that holds every key it needs, in file order, and the record of the last valid "Dialog"
// section. Faulty sections are left out; the rest of the file still counts.
//
// With an owning dialog skin, each record is also made into its skinned control (or the dialog's
// shape) with its pictures loaded, and handed to the owner; an element whose picture does not load
// is left out of the skin, though its record stays.
class CSkinDescription
{
public:
    // Records only.
    explicit CSkinDescription(LPCSTR path);
    CSkinDescription(CDialogSkin* owner, LPCSTR path);
    virtual ~CSkinDescription();

    // FALSE when the file cannot be read (no records then); otherwise TRUE however many sections
    // were left out.
    BOOL Parse();
    // The control made from one section, or null (a skipped or faulty section, a picture that does
    // not load, a "Dialog" section, no owner); id is the section's "ID".
    CWnd* ParseSection(const CIniSection& section, UINT& id);

    CString GetPathName() const { return m_file.GetPathName(); }
    // Folder of the description file without the trailing '\'; empty when the file does not exist
    // or the path has no '\'. Picture files are <folder>\<name><suffix>.
    const CString& GetSkinFolder() const { return m_folder; }

    int GetElementCount() const { return static_cast<int>(m_elements.size()); }
    const SkinElementRecord* GetElement(int index) const { return m_elements[index].get(); }
    const SkinDialogRecord* GetDialog() const { return m_dialog.get(); }

    static CString SkinFolderOf(LPCSTR path);

protected:
    // Each reader keeps the section's record and gives the new control, or null. The dialog's
    // reader hands the shape to the owner and gives null.
    virtual CWnd* ReadDialog(const CIniSection& section);
    virtual CWnd* ReadSlider(const CIniSection& section);
    virtual CWnd* ReadMultiSlider(const CIniSection& section);
    virtual CWnd* ReadButton(const CIniSection& section);
    virtual CWnd* ReadStatic(const CIniSection& section);

private:
    CSkinDescription(const CSkinDescription&) = delete;
    CSkinDescription& operator=(const CSkinDescription&) = delete;

    // Each gives a new record, or null when a required key is missing or malformed.
    SkinDialogRecord* ReadDialogRecord(const CIniSection& section) const;
    SkinSliderRecord* ReadSliderRecord(const CIniSection& section) const;
    SkinMultiSliderRecord* ReadMultiSliderRecord(const CIniSection& section) const;
    SkinButtonRecord* ReadButtonRecord(const CIniSection& section) const;
    SkinStaticRecord* ReadStaticRecord(const CIniSection& section) const;
    // Names the record after its section and keeps it; null stays null.
    template <class Record>
    Record* Keep(Record* record, const CIniSection& section);
    // The last valid "Dialog" section's record replaces the one before.
    void Store(SkinDialogRecord* record);
    void Store(SkinElementRecord* record);

    BOOL ReadSliderKeys(const CIniSection& section, SkinSliderRecord& record) const;
    // "LOADFROM" 1: the file <folder>\<key's text><suffix>; otherwise the key's number as a
    // resource identifier, which must not be 0.
    BOOL ReadPicture(const CIniSection& section, LPCSTR key, BOOL fromFile, LPCSTR suffix,
                     SkinPictureSource& picture) const;
    CString FilePath(const CString& name, LPCSTR suffix) const;

    CIniFile m_file;
    CDialogSkin* m_owner;
    CString m_folder;
    std::vector<std::unique_ptr<SkinElementRecord>> m_elements;
    std::unique_ptr<SkinDialogRecord> m_dialog;
};
