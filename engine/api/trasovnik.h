/*
 * Trasovnik: the journey-planner engine as a shared library. This is its one public header;
 * it compiles as C (C11) and as C++.
 *
 * Every export returns a signed 32-bit status: ENGINE_OK (0) on success, ENGINE_OUT_OF_MEMORY
 * (-3) when the engine ran out of memory, ENGINE_ERROR (-1) on any other failure (a bad index,
 * a damaged file, a wrong argument); api_IniFlush alone may also return ENGINE_INI_TOO_LARGE
 * (-4). Functional outcomes (set indexes, result ids, load and
 * search statuses, counts, new buffers) travel only through out-parameters, which are written
 * before ENGINE_OK is returned; after a failure they may be partly written and must not be
 * judged.
 *
 * Texts cross in both directions as Windows-1250 bytes with a separate length and no
 * terminator.
 *
 * Memory: both sides use the C runtime's malloc/free.
 *  - "new" out-parameters (texts, index arrays, listing rows and their note arrays) are
 *    allocated with malloc by the engine and owned by the caller from then on, who releases
 *    them with free(). A new buffer of length or count 0 may still be a non-null pointer; free
 *    whatever non-null pointer you got.
 *  - "engine-owned" out-parameters point into the engine's own records; never free or write
 *    them. Each export says how long they stay valid.
 *  - "caller's buffer" arguments are allocated by the caller at the size the matching length
 *    export gave; the engine fills them without a terminator.
 *
 * Before api_vytvorJizdniRadyGlobal has succeeded no other export may be called (they return
 * ENGINE_ERROR). Only one long operation (set load or change, connection search) runs at a
 * time; api_CancelNacitani, api_CancelHledani and api_SkokNaVysledek may be called from
 * another thread meanwhile.
 */
#ifndef TRASOVNIK_H
#define TRASOVNIK_H

#include <stddef.h>
#include <stdint.h>

/* The library is built with hidden visibility; only these functions are exported. */
#if defined(__GNUC__)
#define TRASOVNIK_API __attribute__((visibility("default")))
#else
#define TRASOVNIK_API
#endif

/* Statuses returned by every export. */
#define ENGINE_OK 0
#define ENGINE_ERROR (-1)
#define ENGINE_OUT_OF_MEMORY (-3)
/* Only from api_IniFlush: the store has grown past the size of file it can read back. */
#define ENGINE_INI_TOO_LARGE (-4)
#define ENGINE_INI_MAX_BYTES (1024 * 1024)

/* The interface version: pass it in/out to api_vytvorJizdniRadyGlobal, which adds one. The
   engine accepts ENGINE_INTERFACE_VERSION and the older ENGINE_INTERFACE_VERSION_OLD. */
#define ENGINE_INTERFACE_VERSION 1004
#define ENGINE_INTERFACE_VERSION_OLD 1002

/* Load statuses (set-loading exports, out value instead of a set index). A file that the engine
   cannot read whole is refused with a status and its catalogue index, not as a failure. */
#define ENGINE_LOAD_CANCELLED (-2)
#define ENGINE_LOAD_OUT_OF_MEMORY (-3)
#define ENGINE_LOAD_DAMAGED (-4)
#define ENGINE_LOAD_TOO_NEW (-5)
#define ENGINE_LOAD_TOO_OLD (-6)
#define ENGINE_LOAD_OTHER_SOURCE (-7)

/* Search statuses (api_HledejCestu, out status instead of a result id). */
#define ENGINE_SEARCH_CANCELLED (-2)
#define ENGINE_SEARCH_OUT_OF_MEMORY (-3)
#define ENGINE_SEARCH_RESULT_GONE (-4)
#define ENGINE_SEARCH_NO_VALID_TIMETABLE (-5)
#define ENGINE_SEARCH_PLACES_OVERLAP (-7)
#define ENGINE_SEARCH_NOTHING_FOUND (-8)
#define ENGINE_SEARCH_NO_CANDIDATES (-10)

/* Window messages, sent synchronously to the window handle given to a set load or a search.
   Enumerators (not macros) so that C++ code that also has its own constants of these names in
   a namespace still compiles. */
enum {
    WM_ENGINE_PROGRESS = 999666,    /* wParam: percent 0 to 100 */
    WM_ENGINE_START = 999777,       /* wParam: ENGINE_START_SEARCH or a catalogue index */
    WM_ENGINE_FIRST_FOUND = 999888, /* the first connection of a search was collected */
    ENGINE_START_SEARCH = 999999
};

/* A window handle of the platform layer (0 names no window: nothing is sent). */
typedef uintptr_t TrasaWindow;

#ifdef __cplusplus
/* In C++ the records are the engine's own definitions, with their layout checks. */
#include "engine/api/PlaceRecord.h"
#include "engine/data/IndexTripleVector.h"
#include "engine/search/results/ListingRecords.h"
#include "engine/search/results/ResultRecords.h"
namespace trasovnik {
struct cStVysledek;
}
typedef trasovnik::IndexTriple TrasaTriple;
typedef trasovnik::BoundaryPlace TrasaPlace;
using trasovnik::cRadekVypisuSpoje;
using trasovnik::cSpojeni;
using trasovnik::cStVysledek;
using trasovnik::cUsekSpojeni;
using trasovnik::cVysledekSpoj;
using trasovnik::cZastavkaZadani;
#else
/* The same records for C, with the same layout checks. */
typedef struct TrasaTriple {
    int32_t timetable; /* timetable index in the set */
    int32_t kind;      /* category kind index */
    int32_t element;   /* element index within the kind */
} TrasaTriple;

/* A place: triples with their count and the number of free slots behind them. The engine
   fills a caller's place in place (api_FavouriteGet, the T9 exports): when no slot is free it
   replaces `items` by a malloc'ed array one triple larger and frees the old one, so `items`
   must be null or come from malloc. The caller frees `items`. */
typedef struct TrasaPlace {
    TrasaTriple* items;
    uint8_t count;
    uint8_t spare;
} TrasaPlace;

typedef struct cUsekSpojeni cUsekSpojeni;
typedef cUsekSpojeni cVysledekSpoj;

/* One leg of a connection; an alternative trip of a leg (cVysledekSpoj) has the same layout. */
struct cUsekSpojeni {
    uint32_t trip;         /* trip index in its timetable */
    uint8_t boardPosition; /* positions on the trip's route; 255 both: the whole trip */
    uint8_t alightPosition;
    int16_t departureMinute; /* 0..1439 */
    int16_t arrivalMinute;
    int16_t departureDay; /* day numbers */
    int16_t arrivalDay;
    uint16_t departureSlot; /* 0xFFFF: a walking leg */
    int32_t distance;       /* -1 when the timetable has no distances */
    int32_t rideMinutes;
    char* lineName; /* engine-owned, not terminated */
    int32_t lineNameLength;
    uint8_t timetable; /* timetable index in the set */
    uint16_t boardStop;
    uint16_t alightStop;
    uint8_t walkTimetable; /* the stop walked to after the leg */
    uint16_t walkStop;
    uint8_t walkMinutes; /* 255: no walking link */
    cVysledekSpoj* next; /* alternatives, null until asked */
    cVysledekSpoj* previous;
};

/* One connection of a stored result. */
typedef struct cSpojeni {
    cUsekSpojeni* legs;
    int32_t legCount;
    int32_t distance;     /* -1 when a leg has none */
    int32_t totalMinutes; /* first departure to last arrival, the final walk included */
} cSpojeni;

/* One candidate stop of a request's place. */
typedef struct cZastavkaZadani {
    int32_t timetable;
    uint16_t stop;
    uint8_t walkMinutes;
    int32_t sourceTimetable; /* -1 when none */
    int16_t sourceStop;      /* -1 when none */
} cZastavkaZadani;

/* One row of a trip listing. */
typedef struct cRadekVypisuSpoje {
    uint16_t stop;
    int32_t* stopNotes; /* new (caller frees) */
    uint8_t stopNoteCount;
    int32_t* passageNotes; /* new (caller frees) */
    uint8_t passageNoteCount;
    int16_t arrivalMinute;
    int16_t arrivalDay;
    int16_t departureMinute;
    int16_t departureDay;
    int32_t distance; /* from the trip's first stop; -1 when unknown */
} cRadekVypisuSpoje;

#define TRASOVNIK_PTR_ ((size_t)sizeof(void*))
_Static_assert(sizeof(TrasaTriple) == 12, "triple layout");
_Static_assert(offsetof(TrasaPlace, count) == TRASOVNIK_PTR_, "place layout");
_Static_assert(offsetof(TrasaPlace, spare) == TRASOVNIK_PTR_ + 1, "place layout");
_Static_assert(offsetof(cUsekSpojeni, departureSlot) == 14, "leg layout");
_Static_assert(offsetof(cUsekSpojeni, lineName) == 24, "leg layout");
_Static_assert(offsetof(cUsekSpojeni, timetable) == 28 + TRASOVNIK_PTR_, "leg layout");
_Static_assert(offsetof(cUsekSpojeni, walkMinutes) == 38 + TRASOVNIK_PTR_, "leg layout");
_Static_assert(offsetof(cUsekSpojeni, next) == (TRASOVNIK_PTR_ == 4 ? 44 : 48), "leg layout");
_Static_assert(sizeof(cUsekSpojeni) == (TRASOVNIK_PTR_ == 4 ? 52 : 64), "leg layout");
_Static_assert(sizeof(cSpojeni) == (TRASOVNIK_PTR_ == 4 ? 16 : 24), "connection layout");
_Static_assert(sizeof(cZastavkaZadani) == 16, "candidate layout");
_Static_assert(offsetof(cRadekVypisuSpoje, arrivalMinute) == (TRASOVNIK_PTR_ == 4 ? 18 : 34),
               "listing row layout");
_Static_assert(sizeof(cRadekVypisuSpoje) == (TRASOVNIK_PTR_ == 4 ? 32 : 48), "listing row layout");
#undef TRASOVNIK_PTR_

/* The stop-timetable result; read only through the api_st getters. */
typedef struct cStVysledek cStVysledek;
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- library and dates ------------------------------------------------------------------ */

/* The library version: a new text "4.4.1" (caller frees) and its length 5. */
TRASOVNIK_API int32_t api_getVerziKnihovny(char** text, int32_t* length);
/* Memory figures; both are always 0. */
TRASOVNIK_API int32_t api_pamet(int32_t* first, int32_t* second);
/* Day number of a date (days since 1 January 2004; -30000 for years before 2004). */
TRASOVNIK_API int32_t api_DatumToShortDen(int32_t day, int32_t month, int32_t year,
                                          int16_t* dayNumber);
TRASOVNIK_API int32_t api_ShortDenToDatum(int16_t dayNumber, uint8_t* day, uint8_t* month,
                                          int16_t* year);

/* ---- engine ----------------------------------------------------------------------------- */

/* Creates the engine with its INI store read from the main file (an empty name: no store). The
   version is incremented in place; only ENGINE_INTERFACE_VERSION and
   ENGINE_INTERFACE_VERSION_OLD are accepted (else ENGINE_ERROR and no engine). The engine lives
   until the library is unloaded: a later call with an accepted version returns ENGINE_OK and
   keeps the engine with its catalogue, sets and results, so every pointer the caller holds
   stays valid; it only reads the INI store anew from the files named (changes not flushed
   are dropped; an engine made without a store stays without one, and an empty main name
   leaves the store as it is). */
TRASOVNIK_API int32_t api_vytvorJizdniRadyGlobal(const char* mainIni, int32_t mainIniLength,
                                                 const char* tempIni, int32_t tempIniLength,
                                                 int32_t* version);

/* ---- headers ---------------------------------------------------------------------------- */

/* Rebuilds the header catalogue from the file paths; out: the number of catalogue entries. */
TRASOVNIK_API int32_t api_nactiHlavicky(const char* const* paths, const int32_t* pathLengths,
                                        int32_t count, int32_t* entryCount);
/* The header of catalogue entry `index`. Texts and the code list are engine-owned and valid
   until the next api_nactiHlavicky drops the entry. */
TRASOVNIK_API int32_t api_getHlavicku(
    int32_t index, const char** fileName, const char** title, const char** seriesName,
    const char** firstText, const char** secondText, const char** thirdText,
    int32_t* fileNameLength, int32_t* titleLength, int32_t* seriesNameLength,
    int32_t* firstTextLength, int32_t* secondTextLength, int32_t* seriesNumber,
    int32_t* thirdTextLength, int16_t* identifier, int16_t* firstValidFrom, int16_t* firstValidTo,
    int16_t* secondValidFrom, int16_t* secondValidTo, uint8_t* flagA, uint8_t* cityFlag,
    int32_t* sortKey, const int16_t** codes, int32_t* codeCount, uint8_t* foundInLastScan,
    uint8_t* hasCoordinates, uint8_t* coordinatesExact);

/* ---- sets ------------------------------------------------------------------------------- */

/* Loads the catalogue entries as a new set. out setIndex: the new set index, or a load status
   (ENGINE_LOAD_CANCELLED, a refused file's status, ENGINE_LOAD_OTHER_SOURCE) with the failing
   catalogue index (-1 when no single file failed). */
TRASOVNIK_API int32_t api_nactiSestavuJizdnichRadu(const int32_t* catalogueIndexes, int32_t count,
                                                   int32_t* setIndex, int32_t* failingIndex,
                                                   TrasaWindow window);
/* Rebuilds set *setIndex from another list of files. On a load status *setIndex is overwritten
   by the status and the old set is gone all the same. */
TRASOVNIK_API int32_t api_zmenSestavuJizdnichRadu(int32_t* setIndex,
                                                  const int32_t* catalogueIndexes, int32_t count,
                                                  int32_t* failingIndex, TrasaWindow window);
TRASOVNIK_API int32_t api_zrusSestavuJizdnichRadu(int32_t setIndex);
/* The catalogue indexes of the set's timetables in set order: a new array (caller frees). */
TRASOVNIK_API int32_t api_GetIndexyHlavicekSestavy(int32_t setIndex, int32_t** indexes,
                                                   int32_t* count);
/* Asks the running set load, or the running file check, to stop (from any thread). */
TRASOVNIK_API int32_t api_CancelNacitani(void);
/* Reads the timetable file at `path` whole, as a set load reads it (header, every block, the
   model it builds), and forgets it again: the catalogue, the loaded files and the sets are not
   touched, so a new file can be checked before it replaces an installed one. Progress goes to
   the window as during a load. out status: 0 the file is sound, ENGINE_LOAD_CANCELLED, or a
   refused file's status (ENGINE_LOAD_DAMAGED, ENGINE_LOAD_TOO_NEW, ENGINE_LOAD_TOO_OLD,
   ENGINE_LOAD_OUT_OF_MEMORY). It is a long operation like a set load. */
TRASOVNIK_API int32_t api_zkontrolujJizdniRad(const char* path, int32_t pathLength, int32_t* status,
                                              TrasaWindow window);

/* ---- search parameters (set index, then timetable index in the set) ---------------------- */

TRASOVNIK_API int32_t api_getVychoziPocetPrestupuSestavy(int32_t setIndex, int32_t* value);
TRASOVNIK_API int32_t api_GetMaxPocetVyslednychSpojeni(int32_t setIndex, int32_t timetable,
                                                       int32_t* value);
TRASOVNIK_API int32_t api_GetVychoziPocetPrestupu(int32_t setIndex, int32_t timetable,
                                                  int32_t* value);
TRASOVNIK_API int32_t api_GetStandardniPocetMinutHledani(int32_t setIndex, int32_t timetable,
                                                         int32_t* value);
TRASOVNIK_API int32_t api_GetMaximalniPocetMinutHledani(int32_t setIndex, int32_t timetable,
                                                        int32_t* value);
TRASOVNIK_API int32_t api_GetMinimalniPocetMinutNaPrestup(int32_t setIndex, int32_t timetable,
                                                          int32_t* value);
TRASOVNIK_API int32_t api_GetBezpecnyPocetMinutNaPrestup(int32_t setIndex, int32_t timetable,
                                                         int32_t* value);
TRASOVNIK_API int32_t api_GetPenalizaceZaPrestup(int32_t setIndex, int32_t timetable,
                                                 int32_t* value);
TRASOVNIK_API int32_t api_GetNutnostPrestupuVzastavcePres(int32_t setIndex, int32_t timetable,
                                                          uint8_t* value);
/* Setters clamp the value to its range; a changed value empties the set's result store (except
   api_SetVychoziPocetPrestupu, which keeps it). */
TRASOVNIK_API int32_t api_SetLzePouzitDruhLinky(int32_t setIndex, int32_t timetable,
                                                int32_t lineKind, uint8_t value);
TRASOVNIK_API int32_t api_SetMaxPocetVyslednychSpojeni(int32_t setIndex, int32_t timetable,
                                                       int32_t value);
TRASOVNIK_API int32_t api_SetVychoziPocetPrestupu(int32_t setIndex, int32_t timetable,
                                                  int32_t value);
TRASOVNIK_API int32_t api_SetStandardniPocetMinutHledani(int32_t setIndex, int32_t timetable,
                                                         int32_t value);
TRASOVNIK_API int32_t api_SetMaximalniPocetMinutHledani(int32_t setIndex, int32_t timetable,
                                                        int32_t value);
TRASOVNIK_API int32_t api_SetMinimalniPocetMinutNaPrestup(int32_t setIndex, int32_t timetable,
                                                          int32_t value);
TRASOVNIK_API int32_t api_SetBezpecnyPocetMinutNaPrestup(int32_t setIndex, int32_t timetable,
                                                         int32_t value);
TRASOVNIK_API int32_t api_SetPenalizaceZaPrestup(int32_t setIndex, int32_t timetable,
                                                 int32_t value);
TRASOVNIK_API int32_t api_SetNutnostPrestupuVzastavcePres(int32_t setIndex, int32_t timetable,
                                                          uint8_t value);

/* ---- search request and run ------------------------------------------------------------- */

/* A new request: From and To as triples and an optional point (latitude beyond +-0.1), Via as
   triples only. out done: always 0. */
TRASOVNIK_API int32_t api_NastavZadaniHledani(
    int32_t setIndex, const TrasaTriple* from, int32_t fromCount, double fromLatitude,
    double fromLongitude, const TrasaTriple* to, int32_t toCount, double toLatitude,
    double toLongitude, const TrasaTriple* via, int32_t viaCount, int16_t minuteOfDay,
    int16_t dayNumber, uint8_t maxTransfers, uint8_t arrival, uint8_t* done);
/* The connections after / before stored result `resultId`. out done: always 0. */
TRASOVNIK_API int32_t api_NastavZadaniHledaniDalsi(int32_t setIndex, int32_t resultId,
                                                   uint8_t* done);
TRASOVNIK_API int32_t api_NastavZadaniHledaniPredchozi(int32_t setIndex, int32_t resultId,
                                                       uint8_t* done);
/* Runs the pending request of the current set; out status: a result id (0 or more) or an
   ENGINE_SEARCH_ status. */
TRASOVNIK_API int32_t api_HledejCestu(int32_t currentMinute, int32_t currentDay, int32_t* status,
                                      TrasaWindow window);
/* Ask the running search to stop, or to end with what it has found (from any thread). */
TRASOVNIK_API int32_t api_CancelHledani(void);
TRASOVNIK_API int32_t api_SkokNaVysledek(void);

/* ---- results ---------------------------------------------------------------------------- */

/* Engine-owned records of a stored result (connections, legs, their line names and the
   alternatives linked from a leg) stay valid while the result is stored: a search that drops
   the oldest of 20 results, a change of any search parameter of the set, or a change or
   release of the set ends them. */
TRASOVNIK_API int32_t api_getVysledekHledani_PocetSpojeni(int32_t setIndex, int32_t resultId,
                                                          int32_t* count);
TRASOVNIK_API int32_t api_getVysledekHledani_SpojeniSfocusem(int32_t setIndex, int32_t resultId,
                                                             int32_t* focus);
/* out connection: engine-owned. */
TRASOVNIK_API int32_t api_getVysledekHledani_Spojeni(int32_t setIndex, int32_t resultId,
                                                     int32_t index, cSpojeni** connection);
/* The whole trip of a leg, one row per stop: a new array (caller frees it and every row's two
   note arrays). */
TRASOVNIK_API int32_t api_getVysledekHledani_VypisSpoje(int32_t setIndex, const cUsekSpojeni* leg,
                                                        cRadekVypisuSpoje** rows, int32_t* count);
/* The next / previous trip serving the leg's two stops, or the leg itself when there is none
   (and for a walking leg). out: engine-owned, lives with the leg. */
TRASOVNIK_API int32_t api_getDalsiVysledekHledaniSpoj(int32_t setIndex, cUsekSpojeni* leg,
                                                      cVysledekSpoj** alternative);
TRASOVNIK_API int32_t api_getPredchoziVysledekHledaniSpoj(int32_t setIndex, cUsekSpojeni* leg,
                                                          cVysledekSpoj** alternative);

/* ---- categories ------------------------------------------------------------------------- */

/* out stopsKind: the kind whose name contains "zastávky", or -1. */
TRASOVNIK_API int32_t api_getPocetDruhuKategorii(int32_t setIndex, int32_t timetable,
                                                 int32_t* count, int32_t* stopsKind);
/* Texts below are new (caller frees). */
TRASOVNIK_API int32_t api_getDruhKategorie(int32_t setIndex, int32_t timetable, int32_t kind,
                                           char** name, int32_t* length);
TRASOVNIK_API int32_t api_getPocetElementuKategorie(int32_t setIndex, int32_t timetable,
                                                    int32_t kind, int32_t* count);
TRASOVNIK_API int32_t api_GetNazevElementuKategorie(int32_t setIndex, int32_t timetable,
                                                    int32_t kind, int32_t element, char** name,
                                                    int32_t* length);
/* The elements of the kind whose names equal the text (Czech collation), ascending: a new
   array (caller frees). */
TRASOVNIK_API int32_t api_GetIndexyElementuKategorie(int32_t setIndex, int32_t timetable,
                                                     int32_t kind, const char* text,
                                                     int32_t textLength, int32_t** indexes,
                                                     int32_t* count);
TRASOVNIK_API int32_t api_GetSlouceneKategorieLength(int32_t setIndex, int32_t* count);
TRASOVNIK_API int32_t api_GetSlouceneKategorieName(int32_t setIndex, int32_t merged, char** name,
                                                   int32_t* length);

/* ---- line kinds and line groups --------------------------------------------------------- */

TRASOVNIK_API int32_t api_GetDruhyLinekLength(int32_t setIndex, int32_t timetable, int32_t* count);
/* name: new (caller frees); mayUse: the set's search parameter for the kind. */
TRASOVNIK_API int32_t api_GetDruhLinky(int32_t setIndex, int32_t timetable, int32_t lineKind,
                                       char** name, int32_t* length, int32_t* colour,
                                       uint8_t* mayUse);
TRASOVNIK_API int32_t api_getNadlinka_DelkyStringu(int32_t setIndex, int32_t timetable,
                                                   int32_t line, int32_t* length);
/* buffer: caller's, at least api_getNadlinka_DelkyStringu bytes. */
TRASOVNIK_API int32_t api_getNadlinka(int32_t setIndex, int32_t timetable, int32_t line,
                                      int32_t* lineKind, char* buffer);

/* ---- names and colours (texts new, caller frees) ---------------------------------------- */

TRASOVNIK_API int32_t api_GetNazevZastavky(int32_t setIndex, int32_t timetable, uint16_t stop,
                                           char** name, int32_t* length);
TRASOVNIK_API int32_t api_GetNazevLinky(int32_t setIndex, int32_t timetable, int32_t trip,
                                        char** name, int32_t* length);
TRASOVNIK_API int32_t api_GetBarvuLinky(int32_t setIndex, int32_t timetable, int32_t trip,
                                        int32_t* colour);

/* ---- notes (index arrays and texts new, caller frees) ----------------------------------- */

/* The trip's kind notes (marks such as "OWNER", "LINE_NAME", "RESERV"); its remarks come with
   the line name and the passages. */
TRASOVNIK_API int32_t api_GetPoznamkySpoje(int32_t setIndex, int32_t timetable, int32_t trip,
                                           int32_t** notes, int32_t* count);
TRASOVNIK_API int32_t api_GetPoznamkyPrujezdu(int32_t setIndex, int32_t timetable, int32_t trip,
                                              int32_t position, int32_t** notes, int32_t* count);
TRASOVNIK_API int32_t api_GetDatumovouPoznamkuSpoje(int32_t setIndex, int32_t timetable,
                                                    int32_t trip, char** text, int32_t* length);
/* Every note attached to the stop; none for files without stop notes. */
TRASOVNIK_API int32_t api_GetPoznamkyZastavky(int32_t setIndex, int32_t timetable, int32_t stop,
                                              int32_t** notes, int32_t* count);
TRASOVNIK_API int32_t api_GetPoznamkuText(int32_t setIndex, int32_t timetable, int32_t note,
                                          char** text, int32_t* length);
TRASOVNIK_API int32_t api_GetPoznamkuOznaceni(int32_t setIndex, int32_t timetable, int32_t note,
                                              char** mark, int32_t* length);

/* ---- SMS tickets (texts new, caller frees) ---------------------------------------------- */

TRASOVNIK_API int32_t api_GetPocetSmsJizdenek(int32_t setIndex, int32_t* count);
/* A ticket number beyond the last ticket leaves the out-parameters untouched. */
TRASOVNIK_API int32_t api_GetSmsJizdenku(int32_t setIndex, int32_t ticket, char** firstText,
                                         int32_t* firstLength, char** priceText,
                                         int32_t* priceLength, char** secondText,
                                         int32_t* secondLength, char** thirdText,
                                         int32_t* thirdLength);

/* ---- GPS and map ------------------------------------------------------------------------ */

/* Where the point lies on a map centred on the centre: distance in metres and pixel offset. */
TRASOVNIK_API int32_t api_gpsGetPointInPx(double latitude, double longitude, double centreLatitude,
                                          double centreLongitude, double metresPerPixel,
                                          double* distance, int32_t* x, int32_t* y);
/* A pixel position in the map view. */
typedef struct TrasaPixel {
    int32_t x;
    int32_t y;
} TrasaPixel;
/* Places the given stops (stop and timetable index arrays of `count`) on a map of the view
   size centred on the centre. *metresPerPixel -1 fits the scale to stop `fitStop` of timetable
   `fitTimetable`; the scale used is written back. Out: new arrays (caller frees each, and each
   name) of `count` entries: pixel positions, names with their lengths, distances in metres and
   compass bearings (degrees from north); allPlaced is 1 when every stop had a position. */
TRASOVNIK_API int32_t api_gpsGetMapActualCenter(
    int32_t setIndex, double centreLatitude, double centreLongitude, double* metresPerPixel,
    const uint16_t* stops, const int32_t* timetables, int32_t count, uint16_t fitStop,
    int32_t fitTimetable, int32_t viewWidth, int32_t viewHeight, TrasaPixel** pixels, char*** names,
    int32_t** nameLengths, double** distances, double** bearings, uint8_t* allPlaced);

/* ---- favourites and history ------------------------------------------------------------- */

/* Fills the caller's 20 places with the set's favourites (filled in place, see TrasaPlace). */
TRASOVNIK_API int32_t api_FavouriteGet(int32_t setIndex, TrasaPlace* places, int32_t* count);
/* result: 0 added, 2 already present, 3 list full (20). */
TRASOVNIK_API int32_t api_FavouriteAdd(int32_t setIndex, const TrasaPlace* place, int32_t* result);
/* result: 0 removed, 1 not found. */
TRASOVNIK_API int32_t api_FavouriteDelete(int32_t setIndex, const TrasaPlace* place,
                                          int32_t* result);
/* result: 0 added, 2 a place without triples. */
TRASOVNIK_API int32_t api_HistoryAdd(int32_t setIndex, const TrasaPlace* place, int32_t* result);
TRASOVNIK_API int32_t api_HistoryIncIdSearch(int32_t setIndex);

/* ---- INI store (texts with int32 lengths; new out-texts caller frees) ------------------- */

TRASOVNIK_API int32_t api_IniReadString(const char* section, int32_t sectionLength, const char* key,
                                        int32_t keyLength, const char* defaultValue,
                                        int32_t defaultLength, char** value, int32_t* valueLength);
/* All keys of a section: new arrays of new strings (caller frees each string and each array). */
TRASOVNIK_API int32_t api_IniReadStrings(const char* section, int32_t sectionLength, char*** keys,
                                         int16_t** keyLengths, char*** values,
                                         int16_t** valueLengths, int16_t* count);
TRASOVNIK_API int32_t api_IniWriteString(const char* section, int32_t sectionLength,
                                         const char* key, int32_t keyLength, const char* value,
                                         int32_t valueLength);
TRASOVNIK_API int32_t api_IniReadInt(const char* section, int32_t sectionLength, const char* key,
                                     int32_t keyLength, int32_t defaultValue, int32_t* value);
TRASOVNIK_API int32_t api_IniWriteInt(const char* section, int32_t sectionLength, const char* key,
                                      int32_t keyLength, int32_t value);
TRASOVNIK_API int32_t api_IniReadBool(const char* section, int32_t sectionLength, const char* key,
                                      int32_t keyLength, uint8_t defaultValue, uint8_t* value);
TRASOVNIK_API int32_t api_IniWriteBool(const char* section, int32_t sectionLength, const char* key,
                                       int32_t keyLength, uint8_t value);
TRASOVNIK_API int32_t api_IniRemoveKey(const char* section, int32_t sectionLength, const char* key,
                                       int32_t keyLength);
TRASOVNIK_API int32_t api_IniRemoveSection(const char* section, int32_t sectionLength);
/* Writes the store back to its files when it changed. ENGINE_OK when written (or nothing to
   write); ENGINE_ERROR when the files could not be written; ENGINE_INI_TOO_LARGE, the one
   status beside the three of every export, when the store's text is longer than
   ENGINE_INI_MAX_BYTES, the most the store reads back from its file: nothing is written until
   keys or sections are removed. In both failures the store keeps its values and stays changed,
   and the main file keeps its previous contents. */
TRASOVNIK_API int32_t api_IniFlush(void);

/* ---- T9 name matching ------------------------------------------------------------------- */

/* candidates: the caller's 100 places, filled in place (see TrasaPlace). */
TRASOVNIK_API int32_t api_T9ZmenText(int32_t setIndex, int32_t timetable, int32_t key,
                                     int32_t letter, uint8_t isLetter, int32_t* code, char* digits,
                                     char* text, int32_t* typedLength, int32_t categorySelector,
                                     TrasaPlace* candidates, int32_t* total, int32_t* historyCount,
                                     int32_t* favouritesCount);
TRASOVNIK_API int32_t api_T9ZmenTextQwerty(int32_t setIndex, int32_t timetable, const char* text,
                                           int32_t textLength, int32_t categorySelector,
                                           TrasaPlace* candidates, int32_t* total,
                                           int32_t* historyCount, int32_t* favouritesCount);

/* ---- stop timetables -------------------------------------------------------------------- */

/* out result: new, the caller's until api_stSearch_ReleaseMemory (also when the status is not
   0); release it before the set changes or is released. */
TRASOVNIK_API int32_t api_stSearch(int32_t setIndex, int32_t timetable, const char* lineText,
                                   int32_t lineTextLength, int32_t lineIndex, int32_t fromValue,
                                   int32_t fromOccurrence, int32_t toValue, int32_t toOccurrence,
                                   int16_t dayNumber, uint8_t week, cStVysledek** result,
                                   int32_t* engineStatus, int32_t* reserved, int32_t* stStatus,
                                   int32_t* groupCount, int32_t* routeStopCount,
                                   int32_t* queryItemCount, int32_t* directionListCount,
                                   int32_t* lineCandidateCount);
TRASOVNIK_API int32_t api_stGetZadani(const cStVysledek* result, int32_t item, int32_t* value);
TRASOVNIK_API int32_t api_stGetZadaniSmerLength(const cStVysledek* result, int32_t item,
                                                int32_t* count);
TRASOVNIK_API int32_t api_stGetZadaniSmer(const cStVysledek* result, int32_t item,
                                          int32_t* directions);
TRASOVNIK_API int32_t api_stGetZadaniLinkaIndex(const cStVysledek* result, int32_t candidate,
                                                int32_t* lineIndex);
TRASOVNIK_API int32_t api_stGetTrasaZastavka(const cStVysledek* result, int32_t routeStop,
                                             int32_t* stop, int32_t* occurrence, int32_t* minutes,
                                             int32_t* distance);
TRASOVNIK_API int32_t api_stGetDatumLength(const cStVysledek* result, int32_t group,
                                           int32_t* hourCounts, int32_t* textLength,
                                           int32_t* noteCount);
TRASOVNIK_API int32_t api_stGetDatumPoznamkaLength(const cStVysledek* result, int32_t group,
                                                   int32_t note, int32_t* length);
TRASOVNIK_API int32_t api_stGetDatumPoznamkaText(const cStVysledek* result, int32_t group,
                                                 int32_t note, char* buffer);
TRASOVNIK_API int32_t api_stGetDatumPopisText(const cStVysledek* result, int32_t group,
                                              char* buffer);
TRASOVNIK_API int32_t api_stGetDatumMinuta(const cStVysledek* result, int32_t group, int32_t hour,
                                           int32_t index, int32_t* minute, int32_t* trip,
                                           int32_t* position, int32_t* note);
TRASOVNIK_API int32_t api_stSearch_ReleaseMemory(cStVysledek* result);

#ifdef __cplusplus
}
#endif

#endif /* TRASOVNIK_H */
