#include "core/shell/Language.h"

#include <iterator>

namespace {

// One entry: its texts in language order 0 Dutch, 1 English, 2 German,
// 3 French, 4 Spanish, 5 Portuguese, 6 Italian, 7 Finnish, 8 Hungarian,
// 9 Turkish. UTF-8 literals; each text only uses characters Windows-1252 has,
// so letters it lacks are written plain (Hungarian o/u, Turkish g/s/i).
struct Entry {
  const char* text[LanguageCount];
};

// Rows in TextId order.
constexpr Entry kEntries[] = {
    // Version
    {{"Versie ", "Version ", "Version ", "Version ", "Versión ", "Versão ", "Versione ", "Versio ", "Verzió ",
      "Versiyon "}},
    // Updating
    {{"opwaarderen ", "updating ", "aktualisiere ", "mise à jour ", "actualizando ", "a atualizar ",
      "aggiornamento ", "päivitetään ", "frissítés ", "güncelleniyor "}},
    // To
    {{" naar ", " to ", " auf ", " vers ", " a ", " para ", " a ", " versioon ", " következore ", " : "}},
    // Cancel
    {{"annuleren", "cancel", "abbrechen", "annuler", "cancelar", "cancelar", "annulla", "peruuta", "mégse",
      "iptal"}},
    // Settings
    {{"instellingen", "settings", "Einstellungen", "paramètres", "configuración", "definições",
      "impostazioni", "asetukset", "beállítások", "ayarlar"}},
    // CodeWheels
    {{"codeschijfjes", "code wheels", "Codierräder", "roues codeuses", "ruedas de código", "rodas de código",
      "ruote di codifica", "koodikiekot", "kódtárcsák", "kod tekerlekleri"}},
    // ShowHints
    {{"toon hints", "show hints", "Hinweise anzeigen", "afficher les infobulles", "mostrar ayudas",
      "mostrar dicas", "mostra suggerimenti", "näytä vihjeet", "tippek mutatása", "ipuçlarini göster"}},
    // Language
    {{"taalkeuze", "language", "Sprache", "langue", "idioma", "idioma", "lingua", "kieli", "nyelv", "dil"}},
    // Yes
    {{"ja", "yes", "ja", "oui", "sí", "sim", "sì", "kyllä", "igen", "evet"}},
    // No
    {{"nee", "no", "nein", "non", "no", "não", "no", "ei", "nem", "hayir"}},
    // Location
    {{"locatie", "location", "Standort", "emplacement", "ubicación", "localização", "posizione", "sijainti",
      "helyszín", "konum"}},
    // Country
    {{"land", "country", "Land", "pays", "país", "país", "paese", "maa", "ország", "ülke"}},
    // City
    {{"plaats", "city", "Ort", "ville", "ciudad", "cidade", "città", "paikkakunta", "város", "sehir"}},
    // SunRise
    {{"zon op", "sun rise", "Sonnenaufgang", "lever du soleil", "salida del sol", "nascer do Sol", "alba",
      "auringonnousu", "napkelte", "gündogumu"}},
    // SunSet
    {{"zon onder", "sun set", "Sonnenuntergang", "coucher du soleil", "puesta del sol", "pôr do Sol",
      "tramonto", "auringonlasku", "napnyugta", "günbatimi"}},
    // StandardTime
    {{"wintertijd", "standard time", "Normalzeit", "heure d'hiver", "horario de invierno", "hora de inverno",
      "ora solare", "normaaliaika", "téli idoszámítás", "kis saati"}},
    // DaylightSavingTime
    {{"zomertijd", "daylight saving time", "Sommerzeit", "heure d'été", "horario de verano", "hora de verão",
      "ora legale", "kesäaika", "nyári idoszámítás", "yaz saati"}},
    // Load
    {{"laden", "load", "laden", "charger", "cargar", "carregar", "carica", "lataa", "betöltés", "yükle"}},
    // Save
    {{"opslaan", "save", "speichern", "enregistrer", "guardar", "guardar", "salva", "tallenna", "mentés",
      "kaydet"}},
    // EastLongitude
    {{"oosterlengte", "east longitude", "östliche Länge", "longitude est", "longitud este", "longitude este",
      "longitudine est", "itäinen pituus", "keleti hosszúság", "dogu boylami"}},
    // WestLongitude
    {{"westerlengte", "west longitude", "westliche Länge", "longitude ouest", "longitud oeste",
      "longitude oeste", "longitudine ovest", "läntinen pituus", "nyugati hosszúság", "bati boylami"}},
    // NorthLatitude
    {{"noorderbreedte", "north latitude", "nördliche Breite", "latitude nord", "latitud norte",
      "latitude norte", "latitudine nord", "pohjoinen leveys", "északi szélesség", "kuzey enlemi"}},
    // SouthLatitude
    {{"zuiderbreedte", "south latitude", "südliche Breite", "latitude sud", "latitud sur", "latitude sul",
      "latitudine sud", "eteläinen leveys", "déli szélesség", "güney enlemi"}},
    // Attention
    {{"Let op!", "Attention!", "Achtung!", "Attention !", "¡Atención!", "Atenção!", "Attenzione!", "Huomio!",
      "Figyelem!", "Dikkat!"}},
    // TheKLV820IsNotConnected
    {{"De KLV-820 is niet aangesloten", "The KLV-820 is not connected", "KLV-820 ist nicht verbunden",
      "Le KLV-820 n'est pas connecté", "El KLV-820 no está conectado", "O KLV-820 não está ligado",
      "Il KLV-820 non è connesso", "KLV-820 ei ole liitettynä", "A KLV-820 nincs csatlakoztatva",
      "KLV-820 bagli degil"}},
    // DeviceHasNoCode
    {{"Apparaat heeft nog geen code", "Device has no code", "Gerät hat keinen Code",
      "L'appareil n'a pas de code", "El dispositivo no tiene código", "O dispositivo não tem código",
      "Il dispositivo non ha un codice", "Laitteella ei ole koodia", "Az eszköznek nincs kódja",
      "Cihazin kodu yok"}},
    // SelectACityOrMyLocation
    {{"Kies een plaatsnaam\rof 'mijn locatie'", "Select a city\ror 'my location'",
      "Wählen Sie einen Ort\roder 'mein Standort'", "Choisissez une ville\rou 'mon emplacement'",
      "Elija una ciudad\ro 'mi ubicación'", "Escolha uma cidade\rou 'minha localização'",
      "Scegliere una città\ro 'la mia posizione'", "Valitse paikkakunta\rtai 'oma sijainti'",
      "Válasszon várost\rvagy 'saját helyszín'", "Bir sehir seçin\rveya 'konumum'"}},
    // SelectMyLocationUnderCityToChangeCoorditates
    {{"Kies 'mijn locatie' bij -plaats-\rom coördinaten in te stellen",
      "Select 'my location' under -city-\rto change coorditates",
      "Wählen Sie 'mein Standort' unter -Ort-\rum die Koordinaten zu ändern",
      "Choisissez 'mon emplacement' sous -ville-\rpour changer les coordonnées",
      "Elija 'mi ubicación' en -ciudad-\rpara cambiar las coordenadas",
      "Escolha 'minha localização' em -cidade-\rpara alterar as coordenadas",
      "Scegliere 'la mia posizione' in -città-\rper cambiare le coordinate",
      "Valitse 'oma sijainti' kohdassa -paikkakunta-\rmuuttaaksesi koordinaatteja",
      "Válassza a 'saját helyszín' elemet a -város- mezoben\ra koordináták módosításához",
      "Koordinatlari degistirmek için\r-sehir- altinda 'konumum' seçin"}},
    // MyLocation
    {{"mijn locatie", "my location", "mein Standort", "mon emplacement", "mi ubicación", "minha localização",
      "la mia posizione", "oma sijainti", "saját helyszín", "konumum"}},
    // PreviousConfiguration
    {{"vorige configuratie", "previous configuration", "vorherige Konfiguration", "configuration précédente",
      "configuración anterior", "configuração anterior", "configurazione precedente", "edellinen kokoonpano",
      "elozo konfiguráció", "önceki yapilandirma"}},
    // Rooms
    {{"ruimtes", "rooms", "Räume", "pièces", "habitaciones", "divisões", "stanze", "huoneet", "helyiségek",
      "odalar"}},
    // Devices
    {{"apparaten", "devices", "Geräte", "appareils", "dispositivos", "dispositivos", "dispositivi",
      "laitteet", "eszközök", "cihazlar"}},
    // Exit
    {{"afsluiten", "exit", "beenden", "quitter", "salir", "sair", "esci", "lopeta", "kilépés", "çikis"}},
    // OK
    {{"OK", "OK", "OK", "OK", "OK", "OK", "OK", "OK", "OK", "OK"}},
    // Extra
    {{"extra", "extra", "Extras", "extras", "extras", "extras", "extra", "lisätoiminnot", "extrák",
      "ekstra"}},
    // Scenes
    {{"scenes", "scenes", "Szenen", "scènes", "escenas", "cenas", "scenari", "tilanteet", "jelenetek",
      "sahneler"}},
    // Timer
    {{"timer", "timer", "Timer", "minuterie", "temporizador", "temporizador", "timer", "ajastin", "idozíto",
      "zamanlayici"}},
    // On
    {{"aan", "on", "ein", "marche", "encendido", "ligado", "acceso", "päällä", "be", "açik"}},
    // DimValue
    {{"dimstand", "dim value", "Dimmwert", "niveau de variation", "nivel de atenuación", "nível de regulação",
      "livello dimmer", "himmennysarvo", "fényero", "kisma degeri"}},
    // Off
    {{"uit", "off", "aus", "arrêt", "apagado", "desligado", "spento", "pois", "ki", "kapali"}},
    // DoubleClickToEdit
    {{"Dubbelklik om in te stellen", "Double click to edit", "Doppelklick zum Bearbeiten",
      "Double-cliquez pour modifier", "Doble clic para editar", "Duplo clique para editar",
      "Doppio clic per modificare", "Kaksoisnapsauta muokataksesi", "Dupla kattintás a szerkesztéshez",
      "Düzenlemek için çift tiklayin"}},
    // NoDayDate
    {{"<dag/datum>", "<day/date>", "<Tag/Datum>", "<jour/date>", "<día/fecha>", "<dia/data>", "<giorno/data>",
      "<päivä/pvm>", "<nap/dátum>", "<gün/tarih>"}},
    // NoMonth
    {{"<maand>", "<month>", "<Monat>", "<mois>", "<mes>", "<mês>", "<mese>", "<kuukausi>", "<hónap>",
      "<ay>"}},
    // BeforeSunRise
    {{" min voor zon op", " before sun rise", " vor Sonnenaufgang", " avant le lever du soleil",
      " antes del amanecer", " antes do nascer do Sol", " prima dell’alba", " ennen auringonnousua",
      " napkelte elott", " gündogumundan önce"}},
    // AfterSunRise
    {{" min na zon op", " after sun rise", " nach Sonnenaufgang", " après le lever du soleil",
      " después del amanecer", " depois do nascer do Sol", " dopo l’alba", " auringonnousun jälkeen",
      " napkelte után", " gündogumundan sonra"}},
    // BeforeSunSet
    {{" min voor zon onder", " before sun set", " vor Sonnenuntergang", " avant le coucher du soleil",
      " antes de la puesta del sol", " antes do pôr do Sol", " prima del tramonto", " ennen auringonlaskua",
      " napnyugta elott", " günbatimindan önce"}},
    // AfterSunSet
    {{" min na zon onder", " after sun set", " nach Sonnenuntergang", " après le coucher du soleil",
      " después de la puesta del sol", " depois do pôr do Sol", " dopo il tramonto",
      " auringonlaskun jälkeen", " napnyugta után", " günbatimindan sonra"}},
    // NoTime
    {{"<tijd>", "<time>", "<Zeit>", "<heure>", "<hora>", "<hora>", "<ora>", "<aika>", "<ido>", "<saat>"}},
    // Between
    {{"tussen ", "between ", "zwischen ", "entre ", "entre ", "entre ", "tra ", "välillä ", "között ",
      "arasinda "}},
    // And
    {{" en ", " and ", " und ", " et ", " y ", " e ", " e ", " ja ", " és ", " ile "}},
    // Execute
    {{"uitvoeren", "execute", "ausführen", "exécuter", "ejecutar", "executar", "esegui", "suorita",
      "végrehajtás", "çalistir"}},
    // Dim
    {{"dim ", "dim ", "dimmen ", "varier ", "atenuar ", "regular ", "dimmer ", "himmeä ", "fényero ",
      "kis "}},
    // Su
    {{"zo ", "Su ", "So ", "Di ", "do ", "Do ", "Do ", "su ", "Va ", "Pa "}},
    // Mo
    {{"ma ", "Mo ", "Mo ", "Lu ", "lu ", "Se ", "Lu ", "ma ", "Hé ", "Pt "}},
    // Tu
    {{"di ", "Tu ", "Di ", "Ma ", "ma ", "Te ", "Ma ", "ti ", "Ke ", "Sa "}},
    // We
    {{"wo ", "We ", "Mi ", "Me ", "mi ", "Qa ", "Me ", "ke ", "Sze ", "Ça "}},
    // Th
    {{"do ", "Th ", "Do ", "Je ", "ju ", "Qi ", "Gi ", "to ", "Cs ", "Pe "}},
    // Fr
    {{"vr ", "Fr ", "Fr ", "Ve ", "vi ", "Sx ", "Ve ", "pe ", "Pé ", "Cu "}},
    // Sa
    {{"za ", "Sa ", "Sa ", "Sa ", "sá ", "Sá ", "Sa ", "la ", "Szo ", "Ct "}},
    // ProgramTimer
    {{"timer instellen", "program timer", "Timer programmieren", "programmer la minuterie",
      "programar temporizador", "programar temporizador", "programma timer", "ajastimen ohjelmointi",
      "idozíto programozása", "zamanlayiciyi programla"}},
    // TimerRooms
    {{"timer: ruimte", "timer: rooms", "Timer: Räume", "minuterie : pièces", "temporizador: habitaciones",
      "temporizador: divisões", "timer: stanze", "ajastin: huoneet", "idozíto: helyiségek",
      "zamanlayici: odalar"}},
    // TimerDevices
    {{"timer: apparaat", "timer: devices", "Timer: Geräte", "minuterie : appareils",
      "temporizador: dispositivos", "temporizador: dispositivos", "timer: dispositivi", "ajastin: laitteet",
      "idozíto: eszközök", "zamanlayici: cihazlar"}},
    // TimerScenes
    {{"timer: scenes", "timer: scenes", "Timer: Szenen", "minuterie : scènes", "temporizador: escenas",
      "temporizador: cenas", "timer: scenari", "ajastin: tilanteet", "idozíto: jelenetek",
      "zamanlayici: sahneler"}},
    // DoubleClickToSetUpTimer
    {{"Dubbelklik om in te stellen", "Double click to set up", "Doppelklick zum Einstellen",
      "Double-cliquez pour paramétrer", "Doble clic para programar", "Duplo clique para programar",
      "Doppio clic per impostare", "Kaksoisnapsauta asettaaksesi", "Dupla kattintás a beállításhoz",
      "Ayarlamak için çift tiklayin"}},
    // DoubleClickForOtherDevice
    {{"Dubbelklik voor ander apparaat", "Double click for other device", "Doppelklick für anderes Gerät",
      "Double-cliquez pour un autre appareil", "Doble clic para otro dispositivo",
      "Duplo clique para outro dispositivo", "Doppio clic per altro dispositivo",
      "Kaksoisnapsauta vaihtaaksesi laitetta", "Dupla kattintás: másik eszköz",
      "Baska cihaz için çift tiklayin"}},
    // DoubleClickForOtherScene
    {{"Dubbelklik voor andere scene", "Double click for other scene", "Doppelklick für andere Szene",
      "Double-cliquez pour une autre scène", "Doble clic para otra escena", "Duplo clique para outra cena",
      "Doppio clic per altro scenario", "Kaksoisnapsauta vaihtaaksesi tilannetta",
      "Dupla kattintás: másik jelenet", "Baska sahne için çift tiklayin"}},
    // HasBeenUpdated
    {{" is opgewaardeerd", " has been updated", " wurde aktualisiert", " a été mis à jour",
      " se ha actualizado", " foi atualizado", " è stato aggiornato", " on päivitetty", " frissítve",
      " güncellendi"}},
    // AndIsReadyForUse
    {{"en is klaar voor gebruik", "and is ready for use", "und ist betriebsbereit", "et est prêt à l'emploi",
      "y está listo para usar", "e está pronto a usar", "ed è pronto per l'uso", "ja on käyttövalmis",
      "és használatra kész", "ve kullanima hazir"}},
    // Back
    {{"terug", "back", "zurück", "retour", "volver", "voltar", "indietro", "takaisin", "vissza", "geri"}},
    // Command
    {{"aktie", "Command", "Aktion", "Action", "Acción", "Ação", "Azione", "Toiminto", "Muvelet", "Eylem"}},
    // WeekDays
    {{"weekdagen", "week days", "Wochentage", "jours de semaine", "días de la semana", "dias da semana",
      "giorni settimana", "viikonpäivät", "hét napjai", "haftanin günleri"}},
    // Date
    {{"datum", "date", "Datum", "date", "fecha", "data", "data", "päivämäärä", "dátum", "tarih"}},
    // EveryDay
    {{"elke dag", "every day", "jeden Tag", "tous les jours", "todos los días", "todos os dias",
      "ogni giorno", "joka päivä", "minden nap", "her gün"}},
    // Monday
    {{"maandag", "Monday", "Montag", "lundi", "lunes", "segunda-feira", "lunedì", "maanantai", "hétfo",
      "Pazartesi"}},
    // Tuesday
    {{"dinsdag", "Tuesday", "Dienstag", "mardi", "martes", "terça-feira", "martedì", "tiistai", "kedd",
      "Sali"}},
    // Wednesday
    {{"woensdag", "Wednesday", "Mittwoch", "mercredi", "miércoles", "quarta-feira", "mercoledì",
      "keskiviikko", "szerda", "Çarsamba"}},
    // Thursday
    {{"donderdag", "Thursday", "Donnerstag", "jeudi", "jueves", "quinta-feira", "giovedì", "torstai",
      "csütörtök", "Persembe"}},
    // Friday
    {{"vrijdag", "Friday", "Freitag", "vendredi", "viernes", "sexta-feira", "venerdì", "perjantai", "péntek",
      "Cuma"}},
    // Satuday
    {{"zaterdag", "Satuday", "Samstag", "samedi", "sábado", "sábado", "sabato", "lauantai", "szombat",
      "Cumartesi"}},
    // Sunday
    {{"zondag", "Sunday", "Sonntag", "dimanche", "domingo", "domingo", "domenica", "sunnuntai", "vasárnap",
      "Pazar"}},
    // Month
    {{"maand", "month", "Monat", "mois", "mes", "mês", "mese", "kuukausi", "hónap", "ay"}},
    // January
    {{"januari", "January", "Januar", "janvier", "enero", "janeiro", "gennaio", "tammikuu", "január",
      "Ocak"}},
    // February
    {{"februari", "February", "Februar", "février", "febrero", "fevereiro", "febbraio", "helmikuu", "február",
      "Subat"}},
    // March
    {{"maart", "March", "März", "mars", "marzo", "março", "marzo", "maaliskuu", "március", "Mart"}},
    // April
    {{"april", "April", "April", "avril", "abril", "abril", "aprile", "huhtikuu", "április", "Nisan"}},
    // May
    {{"mei", "May", "Mai", "mai", "mayo", "maio", "maggio", "toukokuu", "május", "Mayis"}},
    // June
    {{"juni", "June", "Juni", "juin", "junio", "junho", "giugno", "kesäkuu", "június", "Haziran"}},
    // July
    {{"juli", "July", "Juli", "juillet", "julio", "julho", "luglio", "heinäkuu", "július", "Temmuz"}},
    // August
    {{"augustus", "August", "August", "août", "agosto", "agosto", "agosto", "elokuu", "augusztus",
      "Agustos"}},
    // September
    {{"september", "September", "September", "septembre", "septiembre", "setembro", "settembre", "syyskuu",
      "szeptember", "Eylül"}},
    // October
    {{"oktober", "October", "Oktober", "octobre", "octubre", "outubro", "ottobre", "lokakuu", "október",
      "Ekim"}},
    // November
    {{"november", "November", "November", "novembre", "noviembre", "novembro", "novembre", "marraskuu",
      "november", "Kasim"}},
    // December
    {{"december", "December", "Dezember", "décembre", "diciembre", "dezembro", "dicembre", "joulukuu",
      "december", "Aralik"}},
    // EveryMonth
    {{"elke maand", "every month", "jeden Monat", "tous les mois", "cada mes", "cada mês",
      "ogni mese", "joka kuukausi", "minden hónap", "her ay"}},
    // MaximumNumberOfRandomActionsReached
    {{"Maximaal aantal random akties bereikt.", "Maximum number of random actions reached",
      "Maximale Anzahl zufälliger Aktionen erreicht", "Nombre maximal d'actions aléatoires atteint",
      "Alcanzado el número máximo de acciones aleatorias", "Atingido o número máximo de ações aleatórias",
      "Raggiunto il numero massimo di azioni casuali", "Satunnaisten toimintojen enimmäismäärä saavutettu",
      "Elérte a véletlen muveletek maximális számát", "Maksimum rastgele eylem sayisina ulasildi"}},
    // Time
    {{"tijdstip", "time", "Zeitpunkt", "heure", "hora", "hora", "orario", "aika", "idopont", "zaman"}},
    // FixedTime
    {{"vaste tijd", "fixed time", "feste Zeit", "heure fixe", "hora fija", "hora fixa", "orario fisso",
      "kiinteä aika", "fix idopont", "sabit saat"}},
    // Random
    {{"random", "random", "zufällig", "aléatoire", "aleatorio", "aleatório", "casuale", "satunnainen",
      "véletlen", "rastgele"}},
    // DayLight
    {{"daglicht", "day light", "Tageslicht", "lumière du jour", "luz del día", "luz do dia", "luce diurna",
      "päivänvalo", "napfény", "gün isigi"}},
    // Before
    {{"voor", "before", "vor", "avant", "antes", "antes", "prima", "ennen", "elott", "önce"}},
    // After
    {{"na", "after", "nach", "après", "después", "depois", "dopo", "jälkeen", "után", "sonra"}},
    // InvalidTime
    {{"ongeldige tijd", "invalid time", "ungültige Zeit", "heure non valide", "hora no válida",
      "hora inválida", "orario non valido", "virheellinen aika", "érvénytelen ido", "geçersiz saat"}},
    // Maximum1Hour
    {{"+ maximaal 1 uur", "+ maximum 1 hour", "+ maximal 1 Stunde", "+ 1 heure maximum", "+ máximo 1 hora",
      "+ máximo 1 hora", "+ massimo 1 ora", "+ enintään 1 tunti", "+ legfeljebb 1 óra", "+ en fazla 1 saat"}},
    // Minutes
    {{"minuten", "minutes", "Minuten", "minutes", "minutos", "minutos", "minuti", "minuuttia", "perc",
      "dakika"}},
    // LearnCode
    {{"code leren", "learn code", "Code lernen", "apprendre code", "aprender código", "aprender código",
      "apprendi codice", "opeta koodi", "kód tanítása", "kod ögren"}},
    // StopLearning
    {{"leren uit", "stop learning", "Lernen beenden", "fin apprentissage", "fin aprendizaje",
      "parar aprendizagem", "interrompi", "lopeta opetus", "tanítás vége", "ögrenmeyi durdur"}},
    // DoubleClickToBrowseForPicture
    {{"Dubbelklik om eigen plaatje te kiezen", "Double click to browse for picture",
      "Doppelklick, um ein Bild zu wählen", "Double-cliquez pour choisir une image",
      "Doble clic para buscar una imagen", "Duplo clique para procurar uma imagem",
      "Doppio clic per cercare un’immagine", "Kaksoisnapsauta valitaksesi kuvan",
      "Dupla kattintás a kép tallózásához", "Resim seçmek için çift tiklayin"}},
    // CodeSwitchReceiver
    {{"codeschijfjes ontvanger", "code switch receiver", "Codierrad-Empfänger", "récepteur à roues codeuses",
      "receptor con ruedas de código", "recetor com rodas de código", "ricevitore con ruote di codifica",
      "koodikiekkovastaanotin", "kódtárcsás vevo", "kod tekerlekli alici"}},
    // Dimmer
    {{"dimbare ontvanger", "dimmer", "Dimmer", "variateur", "regulador", "regulador", "dimmer", "himmennin",
      "fényeroszabályzó", "dimmer"}},
    // Code
    {{"code", "code", "Code", "code", "código", "código", "codice", "koodi", "kód", "kod"}},
    // RoomImage
    {{"afbeelding ruimte", "room image", "Raumbild", "image de la pièce", "imagen de la habitación",
      "imagem da divisão", "immagine stanza", "huoneen kuva", "helyiség képe", "oda resmi"}},
    // RoomDescription
    {{"omschrijving ruimte", "room description", "Raumbeschreibung", "description de la pièce",
      "descripción de la habitación", "descrição da divisão", "descrizione stanza", "huoneen kuvaus",
      "helyiség leírása", "oda açiklamasi"}},
    // DeviceImage
    {{"afbeelding apparaat", "device image", "Gerätebild", "image de l'appareil", "imagen del dispositivo",
      "imagem do dispositivo", "immagine dispositivo", "laitteen kuva", "eszköz képe", "cihaz resmi"}},
    // DeviceDescription
    {{"omschrijving apparaat", "device description", "Gerätebeschreibung", "description de l'appareil",
      "descripción del dispositivo", "descrição do dispositivo", "descrizione dispositivo", "laitteen kuvaus",
      "eszköz leírása", "cihaz açiklamasi"}},
    // Delete
    {{"wissen", "delete", "löschen", "supprimer", "eliminar", "eliminar", "elimina", "poista", "törlés",
      "sil"}},
    // Scene
    {{"scene", "scene", "Szene", "scène", "escena", "cena", "scenario", "tilanne", "jelenet", "sahne"}},
    // Description
    {{"omschrijving", "description", "Beschreibung", "description", "descripción", "descrição", "descrizione",
      "kuvaus", "leírás", "açiklama"}},
    // DoubleClickToSelect
    {{"Dubbelklik om in te stellen", "Double click to select", "Doppelklick zum Auswählen",
      "Double-cliquez pour sélectionner", "Doble clic para seleccionar", "Duplo clique para selecionar",
      "Doppio clic per selezionare", "Kaksoisnapsauta valitaksesi", "Dupla kattintás a kiválasztáshoz",
      "Seçmek için çift tiklayin"}},
    // SceneDevices
    {{"scene: apparaten", "scene: devices", "Szene: Geräte", "scène : appareils", "escena: dispositivos",
      "cena: dispositivos", "scenario: dispositivi", "tilanne: laitteet", "jelenet: eszközök",
      "sahne: cihazlar"}},
    // SceneRooms
    {{"scene: ruimtes", "scene: rooms", "Szene: Räume", "scène : pièces", "escena: habitaciones",
      "cena: divisões", "scenario: stanze", "tilanne: huoneet", "jelenet: helyiségek", "sahne: odalar"}},
    // ScenesOverview
    {{"overzicht scenes", "scenes overview", "Szenenübersicht", "aperçu des scènes", "resumen de escenas",
      "vista geral das cenas", "panoramica scenari", "tilanteiden yleiskatsaus", "jelenetek áttekintése",
      "sahnelere genel bakis"}},
    // DoubleClickToSetUpScene
    {{"Dubbelklik om in te stellen", "Double click to set up", "Doppelklick zum Einrichten",
      "Double-cliquez pour configurer", "Doble clic para configurar", "Duplo clique para configurar",
      "Doppio clic per configurare", "Kaksoisnapsauta määrittääksesi", "Dupla kattintás a beállításhoz",
      "Ayarlamak için çift tiklayin"}},
    // Copy
    {{"kopiëren", "copy", "kopieren", "copier", "copiar", "copiar", "copia", "kopioi", "másolás", "kopyala"}},
    // Add
    {{"toevoegen", "add", "hinzufügen", "ajouter", "añadir", "adicionar", "aggiungi", "lisää", "hozzáadás",
      "ekle"}},
    // Erasing
    {{"Wissen ", "Erasing ", "Lösche ", "Effacement ", "Borrando ", "A apagar ", "Cancellazione ",
      "Tyhjennetään ", "Törlés ", "Siliniyor "}},
    // Programming
    {{"Programmeren ", "Programming ", "Programmiere ", "Programmation ", "Programando ", "A programar ",
      "Programmazione ", "Ohjelmoidaan ", "Programozás ", "Programlaniyor "}},
    // WaitForReconnectionOf
    {{"Wacht op aanmelding van ", "Wait for reconnection of ", "Warte auf erneute Verbindung von ",
      "Attente de la reconnexion de ", "Esperando la reconexión de ", "A aguardar a religação de ",
      "In attesa della riconnessione di ", "Odotetaan uudelleenyhdistämistä: ",
      "Várakozás az újracsatlakozásra: ", "Yeniden baglanti bekleniyor: "}},
    // ErrorErasing
    {{"Fout bij wissen", "Error erasing", "Fehler beim Löschen", "Erreur d'effacement", "Error al borrar",
      "Erro ao apagar", "Errore di cancellazione", "Virhe tyhjennyksessä", "Hiba a törléskor",
      "Silme hatasi"}},
    // VerifyErrorAtAddress
    {{"Controle fout op adres: ", "Verify error at address: ", "Prüffehler an Adresse: ",
      "Erreur de vérification à l'adresse : ", "Error de verificación en la dirección: ",
      "Erro de verificação no endereço: ", "Errore di verifica all'indirizzo: ",
      "Tarkistusvirhe osoitteessa: ", "Ellenorzési hiba a címen: ", "Dogrulama hatasi, adres: "}},
    // UpdatingTo
    {{"Opwaarderen naar ", "Updating to ", "Aktualisierung auf ", "Mise à jour vers ", "Actualizando a ",
      "A atualizar para ", "Aggiornamento a ", "Päivitetään versioon ",
      "Frissítés erre: ", "Güncelleniyor: "}},
    // AddressExcedesFlashSize
    {{"Adres buiten flashbereik", "Address excedes flash size", "Adresse überschreitet Flash-Größe",
      "Adresse hors de la mémoire flash", "Dirección fuera de la memoria flash",
      "Endereço excede o tamanho da flash", "Indirizzo oltre la dimensione della flash",
      "Osoite ylittää flash-muistin koon", "A cím túllépi a flash méretét", "Adres flash boyutunu asiyor"}},
    // FileCorruptChecksumError
    {{"File beschadigd: Checksum fout", "File corrupt: Checksum error", "Datei beschädigt: Prüfsummenfehler",
      "Fichier corrompu : erreur de somme de contrôle", "Archivo dañado: error de suma de verificación",
      "Ficheiro corrompido: erro de soma de verificação", "File danneggiato: errore di checksum",
      "Tiedosto vioittunut: tarkistussummavirhe", "Sérült fájl: ellenorzoösszeg-hiba",
      "Dosya bozuk: saglama toplami hatasi"}},
    // SendToKLV
    {{"naar KLV", "Send to KLV", "An KLV senden", "Env.au KLV", "Enviar a KLV", "Enviar p/ KLV",
      "Invio a KLV", "Lähetä KLV:en", "Küld. KLV-re", "KLV’ye gönder"}},
    // ChangesInEffectOnly
    {{"Wijzigingen worden pas actief", "Changes in effect only", "Änderungen werden erst wirksam",
      "Les modifications ne s'appliquent", "Los cambios solo se aplican", "As alterações só têm efeito",
      "Le modifiche hanno effetto solo", "Muutokset tulevat voimaan vasta",
      "A változások csak akkor lépnek életbe,", "Degisiklikler yalnizca"}},
    // AfterClickingOn
    {{"na klik op", "after clicking on", "nach Klick auf", "qu'après un clic sur", "después de pulsar",
      "depois de clicar em", "dopo aver cliccato su", "kun olet napsauttanut",
      "ha rákattint erre:", "su dügmeye tiklayinca etkinlesir:"}},
};

static_assert(std::size(kEntries) == TextCount, "one row per TextId");

const char* Text(TextId id, int language) {
  const int row = static_cast<int>(id);
  if (row < 0 || row >= TextCount) return "";
  if (language < 0 || language >= LanguageCount) language = 1;
  return kEntries[row].text[language];
}

// Rows in MoreTextId order.
constexpr Entry kMoreEntries[] = {
    // Week
    {{"week", "week", "Woche", "semaine", "semana", "semana", "settimana", "viikko", "hét", "hafta"}},
    // All
    {{"alles", "all", "alle", "tout", "todo", "tudo", "tutto", "kaikki", "mind", "tümü"}},
    // Drive
    {{"station", "drive", "Laufwerk", "lecteur", "unidad", "unidade", "unità", "asema", "meghajtó", "sürücü"}},
    // Folder
    {{"map", "folder", "Ordner", "dossier", "carpeta", "pasta", "cartella", "kansio", "mappa", "klasör"}},
    // Pictures
    {{"afbeeldingen", "pictures", "Bilder", "images", "imágenes", "imagens", "immagini", "kuvat", "képek",
      "resimler"}},
    // Preview
    {{"voorbeeld", "preview", "Vorschau", "aperçu", "vista previa", "pré-visualização", "anteprima",
      "esikatselu", "elonézet", "önizleme"}},
    // ChangesNotSaved
    {{"De laatste wijzigingen zijn niet opgeslagen.", "The last changes were not saved.",
      "Letzte Änderungen nicht gespeichert.", "Les dernières modifications sont perdues.",
      "Los últimos cambios no se guardaron.", "Últimas alterações não guardadas.",
      "Le ultime modifiche non sono salvate.", "Viimeisiä muutoksia ei tallennettu.",
      "Az utolsó módosítások nincsenek mentve.", "Son degisiklikler kaydedilmedi."}},
    // RestoreThem
    {{"Herstellen?", "Restore them?", "Wiederherstellen?", "Les restaurer ?", "¿Restaurarlos?",
      "Restaurá-las?", "Ripristinarle?", "Palautetaanko?", "Visszaállítja?", "Geri yüklensin mi?"}},
    // FileDamaged
    {{"Beschadigd bestand, kopie bewaard:", "Damaged file, copy kept:", "Datei beschädigt, Kopie behalten:",
      "Fichier abîmé, copie gardée :", "Archivo dañado, copia guardada:", "Ficheiro danificado, cópia guardada:",
      "File danneggiato, copia tenuta:", "Vioittunut tiedosto, kopio säilytetty:",
      "Sérült fájl, másolat megtartva:", "Bozuk dosya, kopyasi saklandi:"}},
    // TooManyTries
    {{"De KLV blijft in zijn lader.", "The box stays in its loader.", "Die Box bleibt im Lader.",
      "Le boîtier reste dans son chargeur.", "La caja sigue en su cargador.", "A caixa fica no carregador.",
      "Il box resta nel caricatore.", "Laite jää lataajaansa.", "A doboz a betöltoben marad.",
      "Kutu yükleyicide kaliyor."}},
    // UpdateGivenUp
    {{"Update gestopt na 3 pogingen.", "Update stopped after 3 tries.", "Update nach 3 Versuchen beendet.",
      "Mise à jour arrêtée après 3 essais.", "Actualización detenida tras 3 intentos.",
      "Atualização parada após 3 tentativas.", "Aggiornamento fermato dopo 3 tentativi.",
      "Päivitys keskeytetty 3 yrityksen jälkeen.", "Frissítés leállítva 3 próba után.",
      "Güncelleme 3 denemeden sonra durdu."}},
    // Sent
    {{"verzonden", "sent", "gesendet", "envoyé", "enviado", "enviado", "inviato", "lähetetty", "elküldve",
      "gönderildi"}},
    // PutReceiverInLearnMode
    {{"Zet de ontvanger in leerstand", "Put the receiver in learning mode", "Empfänger in Lernmodus setzen",
      "Mettez le récepteur en mode apprentissage", "Ponga el receptor en modo aprendizaje",
      "Coloque o recetor em modo de aprendizagem", "Metti il ricevitore in modalità apprendimento",
      "Aseta vastaanotin oppimistilaan", "Állítsa a vevöt tanuló módba", "Aliciyi ögrenme moduna alin"}},
    // DoubleClickToAddRoom
    {{"Dubbelklik om een ruimte toe te voegen", "Double-click to add a room",
      "Doppelklick fügt einen Raum hinzu", "Double-cliquez pour ajouter une pièce",
      "Doble clic para añadir una habitación", "Duplo clique para adicionar uma divisão",
      "Doppio clic per aggiungere una stanza", "Lisää huone kaksoisnapsauttamalla",
      "Dupla kattintás: új helyiség", "Oda eklemek için çift tiklayin"}},
    // PageOf
    {{"pagina %1 van %2", "page %1 of %2", "Seite %1 von %2", "page %1 sur %2", "página %1 de %2",
      "página %1 de %2", "pagina %1 di %2", "sivu %1/%2", "%1/%2. oldal", "sayfa %1/%2"}},
};

static_assert(std::size(kMoreEntries) == MoreTextCount, "one row per MoreTextId");

constexpr const char* kLanguageNames[LanguageCount] = {"Nederlands", "English",   "Deutsch",  "Français",
                                                       "Español",    "Português", "Italiano", "Suomi",
                                                       "Magyar",     "Türkçe"};

}  // namespace

namespace {
int (*g_languageSource)() = nullptr;
}  // namespace

void SetTextLanguageSource(int (*source)()) { g_languageSource = source; }

QString GetText(TextId id) { return GetText(id, g_languageSource ? g_languageSource() : 1); }

QString GetText(TextId id, int language) { return QString::fromUtf8(Text(id, language)); }

QString LanguageName(int language) {
  if (language < 0 || language >= LanguageCount) return QString();
  return QString::fromUtf8(kLanguageNames[language]);
}

QString GetText(MoreTextId id) { return GetText(id, g_languageSource ? g_languageSource() : 1); }

QString GetText(MoreTextId id, int language) {
  const int row = static_cast<int>(id);
  if (row < 0 || row >= MoreTextCount) return QString();
  if (language < 0 || language >= LanguageCount) language = 1;
  return QString::fromUtf8(kMoreEntries[row].text[language]);
}
