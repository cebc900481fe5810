#pragma once
// The display names of protocol codes, read from "HDLC.msg" beside the
// program: 107 labelled sections, each an ordered list of code ranges with a
// text. A code without an entry is shown as "0x%02X".
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "decode/CatalogueEntry.h"

class MessageCatalogue {
public:
    // One value per section label, in the order the labels are tested; the
    // names are the labels without their colon.
    enum Section : uint8_t {
        AF_SAPI, AF_TEI, AF_UCR, CF_FRAME, CF_PF,
        IF_L2MG_MSG, IF_L2MG_AI1, IF_L2MG_AI2, IF_L2MG_AI3, IF_L2MG_AI4, IF_L2MG_AI5,
        IF_L2MG_AI6, IF_L2MG_AI7,
        IF_PROTOCOL, IF_CALLNUMFLG, IF_CALLNUMLEN, IF_MESSAGE, IF_OTHERINFO,
        IF_CHIDT3, IF_CHIDT32, IF_CHIDT33A, IF_CHIDT33B, IF_CHIDT331, IF_CHIDT332, IF_CHIDT333,
        IF_BC_CN, IF_BC_IT, IF_BC_TM, IF_BC_TS, IF_BC_LAYER, IF_BC_L1P, IF_BC_L2P, IF_BC_L3P,
        IF_CgPN_NK, IF_CgPN_NP, IF_CgPN_DI, IF_CgPN_NI,
        IF_CdPN_NK, IF_CdPN_NP,
        IF_LL_CN, IF_LL_IT, IF_LL_NI, IF_LL_TM, IF_LL_TS, IF_LL_ST, IF_LL_CF, IF_LL_CS,
        IF_LL_SY, IF_LL_L1P, IF_LL_OTT5A, IF_LL_OTT5B110, IF_LL_OTT5B120, IF_LL_STPB,
        IF_LL_PDB, IF_LL_PB, IF_LL_DM, IF_LL_OTT6, IF_LL_OTT7,
        IF_HL_CN, IF_HL_IP, IF_HL_PF, IF_HL_HL, IF_HL_EH,
        IF_PI_CN, IF_PI_GE, IF_PI_PR,
        IF_CA_CN, IF_CA_GE, IF_CA_KD, IF_CA_CA, IF_CA_DG,
        IF_SHIFT, IF_CgPS, IF_CgPS_AFI, IF_CdPS, IF_CdPS_AFI,
        IF_SIGNAL, IF_CHARGE, IF_RI, IF_FI, IF_BCI3, IF_BCI32,
        IF_FACILITY, IF_FACILITY_COMPONENT_KIND, IF_FACILITY_COMPONENT_IDENTITY,
        IF_FACILITY_OPERATION_VALUE, IF_FACILITY_ERROR_VALUE, IF_FACILITY_PROBLEM,
        IF_FACILITY_PROBLEM_GENERAL, IF_FACILITY_PROBLEM_INVOKE,
        IF_FACILITY_PROBLEM_RETRESULT, IF_FACILITY_PROBLEM_RETERROR, IF_FACILITY_PARAMETER,
        IF_CS_CS, IF_CS_NUMBER, IF_CS_GLOBAL,
        IF_PB_PRM, IF_USERUSER,
        IF_X25_PTYPE, IF_X25_CAUSE, IF_X25_DIAG, IF_X25_RECAUSE,
        IF_X25_UF, IF_X25_UF_PAYREQ, IF_X25_UF_FAST, IF_X25_UF_THROUGH,
        CRC,
    };
    static constexpr size_t kSectionCount = 107;
    // Only the first 255 bytes of a line are read.
    static constexpr size_t kLineLimit = 255;

    MessageCatalogue();

    // The program-wide catalogue, loaded from "HDLC.msg" beside the program
    // on first use.
    static const MessageCatalogue& Program();

    // Replace the contents with "HDLC.msg" beside the program, with the file
    // at path, or with the given file contents. A file that cannot be read
    // leaves the catalogue empty and gives false.
    bool Load();
    bool LoadFile(const std::string& path);
    void LoadText(std::string_view contents);

    // The text of the first entry covering code, else "0x%02X" of the code.
    // Never allocates.
    const std::string& Lookup(Section section, uint8_t code) const;
    const std::vector<CatalogueEntry>& Entries(Section section) const;

    // "AF_SAPI:" ... "CRC:".
    static std::string_view Label(Section section);
    // "0x00" ... "0xFF".
    static const std::string& HexText(uint8_t code);

private:
    void Clear();
    void ReadLine(std::string_view line, int& section);
    void BuildIndex();

    static constexpr uint8_t kNoIndex = 0xFF;

    std::array<std::vector<CatalogueEntry>, kSectionCount> entries_;
    // For each section with entries, per code: 1 + the index of the winning
    // entry, 0 for none. Sections without entries have no table.
    std::array<uint8_t, kSectionCount> indexOf_{};
    std::vector<std::array<uint32_t, 256>> index_;
};
