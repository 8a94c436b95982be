#pragma once
#include "foundation/IniFile.h"
#include "skin/SkinRecords.h"

#include <memory>
#include <vector>

// A skin description file read into element records: one per BUTTON, SLIDER, MULTISLIDER or STATIC
// section that holds every key it needs, in file order, and the record of the last valid "Dialog"
// section. Faulty sections are left out; the rest of the file still counts.
class CSkinDescription
{
public:
    explicit CSkinDescription(LPCSTR path);
    virtual ~CSkinDescription();

    // FALSE when the file cannot be read (no records then); otherwise TRUE however many sections
    // were left out.
    BOOL Parse();
    // The record of one section, or null when the section is skipped or faulty; id is the section's
    // "ID" (also for a "Dialog" section, whose record is kept aside and not returned).
    SkinElementRecord* ParseSection(const CIniSection& section, UINT& id);

    CString GetPathName() const { return m_file.GetPathName(); }
    // Folder of the description file without the trailing '\'; empty when the file does not exist
    // or the path has no '\'. Picture files are <folder>\<name><suffix>.
    const CString& GetSkinFolder() const { return m_folder; }

    int GetElementCount() const { return static_cast<int>(m_elements.size()); }
    const SkinElementRecord* GetElement(int index) const { return m_elements[index].get(); }
    const SkinDialogRecord* GetDialog() const { return m_dialog.get(); }

    static CString SkinFolderOf(LPCSTR path);

protected:
    // Each reader gives a new record, or null when a required key is missing or malformed.
    virtual SkinElementRecord* ReadDialog(const CIniSection& section);
    virtual SkinElementRecord* ReadSlider(const CIniSection& section);
    virtual SkinElementRecord* ReadMultiSlider(const CIniSection& section);
    virtual SkinElementRecord* ReadButton(const CIniSection& section);
    virtual SkinElementRecord* ReadStatic(const CIniSection& section);

private:
    CSkinDescription(const CSkinDescription&) = delete;
    CSkinDescription& operator=(const CSkinDescription&) = delete;

    BOOL ReadSliderKeys(const CIniSection& section, SkinSliderRecord& record) const;
    // "LOADFROM" 1: the file <folder>\<key's text><suffix>; otherwise the key's number as a
    // resource identifier, which must not be 0.
    BOOL ReadPicture(const CIniSection& section, LPCSTR key, BOOL fromFile, LPCSTR suffix,
                     SkinPictureSource& picture) const;
    CString FilePath(const CString& name, LPCSTR suffix) const;

    CIniFile m_file;
    CString m_folder;
    std::vector<std::unique_ptr<SkinElementRecord>> m_elements;
    std::unique_ptr<SkinDialogRecord> m_dialog;
};
