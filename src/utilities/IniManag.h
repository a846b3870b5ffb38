// Reads and writes one INI file through the system's profile functions.
// Nothing is cached: several objects on one file always see each other's writes.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "AppError.h"
#include "ProfileCheck.h"

class IniManag {
public:
    // Lists the key names of a section of any file, in file order. The list is
    // indexed from 1 (element 0 is an unused empty text); empty when count is 0.
    void LeggiSezione(const std::string& fileName, const std::string& section,
                      std::vector<std::string>& keys, int32_t& count);

    // Binds the object to a file: ".ini" is added to a file name without a dot,
    // the program folder put in front of a name without "\", and a missing file
    // is created empty. Raises AppError when the file cannot be searched or created.
    void Nome(const std::string& fileName);
    const std::string& Nome() const { return m_Nome; }

    const std::string& Sezione() const { return m_Sezione; }
    void Sezione(const std::string& section) { m_Sezione = section; }

    // Writes key = value into the current section; the system's result, non-zero on success.
    int32_t Scrivi(const std::string& key, const std::string& value);
    // As Scrivi, but a refused write raises WriteError.
    void ScriviOrRaise(const std::string& key, const std::string& value);
    // A refused write of the file: the system's number and text when it gave one, and always the
    // file's name, since the system may refuse without any code.
    static AppError WriteError(const std::string& fileName, uint32_t code);
    // A read-only file is never written, also where the system would let it through (root
    // under Wine, where a rename over it also succeeds): raises WriteError with Access denied.
    static void RefuseReadOnly(const std::string& fileName);
    // As RefuseReadOnly, and an existing file this process can't open for writing (held by
    // another program, or another user's) is refused with the system's reason, and so is a device.
    static void RefuseUnwritable(const std::string& fileName);

    using KeyValues = std::vector<std::pair<std::string, std::string>>;
    // A fresh file for a copy of the file: beside it, or in the temporary folder when its
    // folder takes no new file. Raises a WriteError that names the file.
    static std::string NewCopyName(const std::string& fileName);
    // A copy of the file (empty where the file is missing) with the keys written into its
    // section, for the caller to put in the file's place. The copy is checked on the disk, since
    // the profile functions may report a write that a full disk cut short (Wine does). A failure
    // removes the copy and raises a WriteError that names the file.
    static std::string WrittenCopy(const std::string& fileName, const std::string& section, const KeyValues& keys);
    // Writes a copy's bytes into the file itself, so that the file keeps its links, owner and
    // rights, and checks what it then holds; a write that fails part-way puts the former bytes
    // back. A missing file is the copy itself. A file RefuseUnwritable refuses is left as it is.
    // The copy is removed, and a failure raises a WriteError that names the file. Only when the
    // former bytes can't be put back either does the copy take the file's place: the text
    // returned then says so for the user; it is empty otherwise.
    static std::string ReplaceWithCopy(const std::string& fileName, const std::string& copy);

    // False for "0", "Falso" and the empty text (exact, case-sensitive), True otherwise.
    bool LeggiBool(const std::string& key, const std::string& defaultValue);

    // The key's value in the current section, the default when it is missing,
    // the empty text for the empty key. Values come back cut to 254 characters.
    std::string Leggi(const std::string& key, const std::string& defaultValue);

    int32_t DeleteKey(const std::string& section, const std::string& key);
    int32_t CancellaSezione(const std::string& section);

    // The key's value as a number; raises AppError 13 when it is not one.
    int32_t LeggiCOLORREF(const std::string& key, const std::string& defaultValue);

    // The file holds the section (any letter case), be it empty.
    bool HasSection(const std::string& section) const;

private:
    std::string m_Nome;
    std::string m_Sezione;
};

