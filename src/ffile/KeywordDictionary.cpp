#include "KeywordDictionary.h"

namespace {

// Texts are kept exactly as observers know them from the dictionary,
// including their spelling ("ascention", "extention") and the two blanks in
// the HIFLUX description.
constexpr KeywordSpec kRows[] = {
    {"SIMPLE", "sfr", "T", "Format identifier"},
    {"BITPIX", "icr", "", "Number of bits per pixel, '-' for floating point"},
    {"NAXIS", "ifr", "1", "Number of dimensions"},
    {"NAXIS1", "icr", "", "Number of pixels per axis #1"},
    {"CTYPE1", "scr", "", "Type of axis #1"},
    {"CRVAL1", "rcr", "0.0", "Absolute coordinate of pixel pointed by CRPIX1"},
    {"CRPIX1", "rcr", "1.0", "1-based index of pixel with coordinate CRVAL1"},
    {"CDELT1", "rcr", "", "Pixel size for axis #1"},
    {"BUNIT", "scr", "", "Brightness units"},
    {"BSCALE", "rcr", "1.0", "Brightness scaling factor"},
    {"BZERO", "rcr", "0.0", "Brightness zero shift"},
    {"OBJECT", "s_p", "", "Name of observation object"},
    {"DATE-OBS", "s_r", "", "Observation date"},
    {"OBSERVER", "s_p", "", "Observer name"},
    {"LAMBDA", "r_r", "", "Channel wavelength, m"},
    {"HFWHM", "r_r", "", ""},
    {"TAU", "r_r", "", "Channel integration time, sec"},
    {"TM-END", "r_r", "", ""},
    {"TTYPE1", "s_r", "", ""},
    {"OBSRA", "r_r", "", "Observed right ascention"},
    {"OBSDEC", "rcr", "0.0", "Observed declination"},
    {"AZIMUTH", "r_r", "", "Azimuth, deg"},
    {"ELEVAT", "r_r", "", "Elevation, deg"},
    {"ELEV-SH", "r_r", "", "Shift of elevation due to horn misplacing"},
    {"EPOCH", "r_r", "", "Coordinate epoch"},
    {"RA", "r_r", "", "Right ascention of observed object"},
    {"DEC", "rcr", "0.0", "Declination"},
    {"NUT-RA", "rcr", "0.0", "Shift of right ascention due to nutation"},
    {"APERTURE", "r_p", "", "Aperture size at current wavelength, sq.m"},
    {"RCV-MODE", "s_r", "", "Receiver mode"},
    {"REGIMOBS", "s_r", "", "Observation mode"},
    {"STOKES", "s_r", "", "Observed Stokes parameter"},
    {"VELO-CAR", "r_r", "", "Carriage velocity"},
    {"ZERO-CAR", "r_r", "", ""},
    {"CMPRS-CF", "i_r", "", "Compression coefficient"},
    {"NOISE-T", "r_r", "", "System noise temperature, K"},
    {"CALIBR1", "r_r", "", "First calibration value"},
    {"CALIBR2", "r_r", "", "Second calibration value"},
    {"RMSCAL1", "r_r", "", "First calibration r.m.s. error"},
    {"RMSCAL2", "r_r", "", "Second calibration r.m.s. error"},
    {"BASE1", "r_r", "", "Signal level at the beginning of record"},
    {"BASE2", "r_r", "", "Signal level at the end of record"},
    {"CARRIAGE", "r_r", "", "Carriage position, mm"},
    {"FOCUS", "r_r", "", "Focus position, mm"},
    {"WH-POS", "r_r", "", "Western horn position, mm"},
    {"EH-POS", "r_r", "", "Eastern horn position, mm"},
    {"TIMEWSH", "rcr", "0.0", "Western horn sidereal time shift, s"},
    {"TIMEESH", "rcr", "0.0", "Eastern horn sidereal time shift, s"},
    {"SIDTIME", "r_r", "", "Sidereal time of culmination"},
    {"DECTIME", "r_r", "", "Decretive time of culmination"},
    {"DSACCOE", "r_r", "", ""},
    {"SP-FORMU", "s_p", "", "Formula for the object's spectrum"},
    {"AR-FORMU", "s_p", "", ""},
    {"PROG-ID", "s_p", "", "Observation program ID"},
    {"AUTHOR", "s_p", "", ""},
    {"PRESSURE", "s_r", "", "Atmospheric pressure"},
    {"CLOUDS", "s_r", "", "Weather state, clouds"},
    {"ORIGIN", "s_r", "", "Observation facility owner"},
    {"TELESCOP", "s_r", "", "Telescope name"},
    {"INSTRUME", "s_r", "", "Feed name"},
    {"COMMENT", "s__", "", "User commentary"},
    {"HISTORY", "s_p", "", "Processing history"},
    {"SIGNALTYPE", "s_p", "", "Type of generated signal (VOLK extention)"},
    {"HPBWX", "r_r", "", "Horizontal HPBW, arcsec (VOLK extention)"},
    {"HPBWY", "r_r", "", "Vertical HPBW, arcsec (VOLK extention)"},
    {"HPBWE", "r_r", "", "Envelope HPBW, arcsec (VOLK extention)"},
    {"BEAMAPER", "r_r", "", "'Geometric' aperture, sq.m (VOLK extention)"},
    {"REFERENCE", "s_p", "", "Reference to signal statistics data (VOLK extention)"},
    {"LOFLUX", "r_r", "", "Lower limit of generated sources flux (VOLK TELPEX extention)"},
    {"HIFLUX", "r_r", "", "Upper limit of generated sources flux  (VOLK TELPEX extention)"},
    {"LAMBDAFL", "r_r", "", "Wavelength for LOFLUX and HIFLUX (VOLK TELPEX extention)"},
    {"RANDOMAMPL", "i_r", "", "Harmonic amplitudes are random if non-zero (VOLK MARBO extention)"},
};

static_assert(sizeof(kRows) / sizeof(kRows[0]) == 72, "the dictionary has 72 rows");

constexpr KeywordSpec kUserDefined = {"", "s__", "", "User-defined entry"};

}  // namespace

std::span<const KeywordSpec> KeywordDictionary::Rows() { return kRows; }

const KeywordSpec& KeywordDictionary::UserDefined() { return kUserDefined; }

const KeywordSpec* KeywordDictionary::Find(std::string_view id)
{
    for (const KeywordSpec& row : kRows)
        if (id == row.id)
            return &row;
    return nullptr;
}

const KeywordSpec& KeywordDictionary::Lookup(std::string_view id)
{
    const KeywordSpec* row = Find(id);
    return row ? *row : kUserDefined;
}
