<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>quorvel::app</name>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>unbekannte Option &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>quorvel::app::AppInfo</name>
    <message>
        <source>%1 Version %2.%3</source>
        <translation>%1 Version %2.%3</translation>
    </message>
    <message>
        <source>%1 V %2.%3</source>
        <translation>%1 V %2.%3</translation>
    </message>
</context>
<context>
    <name>quorvel::app::LoadTexts</name>
    <message>
        <source>Jpeg (*.jpg;*jpeg)|*.jpg;*jpeg|Bitmap (*.bmp)|*.bmp|Gif (*.gif)|*.gif|All formats (*.img;*.gif;*.jpg;*.jpeg;*.png;*.raw;*.jff;*.jtf;*.pct;*.pcx;*.eps;*.tga;*.tif;*.bmp;*.fxs;*.fpx;*.awd;*.ico;*.cur)|*.img;*.gif;*.jpg;*.jpeg;*.png;*.raw;*.jff;*.jtf;*.pct;*.pcx;*.eps;*.tga;*.tif;*.bmp;*.fxs;*.fpx;*.awd;*.ico;*.cur|All (*.*)|*.*</source>
        <translation>Jpeg (*.jpg;*jpeg)|*.jpg;*jpeg|Bitmap (*.bmp)|*.bmp|Gif (*.gif)|*.gif|Alle Formate (*.img;*.gif;*.jpg;*.jpeg;*.png;*.raw;*.jff;*.jtf;*.pct;*.pcx;*.eps;*.tga;*.tif;*.bmp;*.fxs;*.fpx;*.awd;*.ico;*.cur)|*.img;*.gif;*.jpg;*.jpeg;*.png;*.raw;*.jff;*.jtf;*.pct;*.pcx;*.eps;*.tga;*.tif;*.bmp;*.fxs;*.fpx;*.awd;*.ico;*.cur|Alle (*.*)|*.*</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Datei öffnen</translation>
    </message>
    <message>
        <source>Load Error</source>
        <translation>Ladefehler</translation>
    </message>
    <message>
        <source>Don&apos;t know the file format!</source>
        <translation>Unbekanntes Dateiformat!</translation>
    </message>
    <message>
        <source>VB Error: &apos;%1&apos; - %2.</source>
        <translation>VB-Fehler: &apos;%1&apos; - %2.</translation>
    </message>
    <message>
        <source>Jpeg (*.jpg;*jpeg)|*.jpg;*jpeg|Bitmap (*.bmp)|*.bmp|Gif (*.gif)|*.gif|Png (*.png)|*.png|All formats (*.img;*.gif;*.jpg;*.jpeg;*.png;*.psd;*.raw;*.jff;*.jtf;*.pct;*.pcx;*.eps;*.tga;*.tif;*.bmp;*.fxs;*.fpx;*.awd;*.ico;*.cur;%1)|*.img;*.gif;*.jpg;*.jpeg;*.png;*.psd;*.raw;*.jff;*.jtf;*.pct;*.pcx;*.eps;*.tga;*.tif;*.bmp;*.fxs;*.fpx;*.awd;*.ico;*.cur;%1|All (*.*)|*.*</source>
        <translation>Jpeg (*.jpg;*jpeg)|*.jpg;*jpeg|Bitmap (*.bmp)|*.bmp|Gif (*.gif)|*.gif|Png (*.png)|*.png|Alle Formate (*.img;*.gif;*.jpg;*.jpeg;*.png;*.psd;*.raw;*.jff;*.jtf;*.pct;*.pcx;*.eps;*.tga;*.tif;*.bmp;*.fxs;*.fpx;*.awd;*.ico;*.cur;%1)|*.img;*.gif;*.jpg;*.jpeg;*.png;*.psd;*.raw;*.jff;*.jtf;*.pct;*.pcx;*.eps;*.tga;*.tif;*.bmp;*.fxs;*.fpx;*.awd;*.ico;*.cur;%1|Alle (*.*)|*.*</translation>
    </message>
</context>
<context>
    <name>quorvel::app::Main</name>
    <message>
        <source>Separator</source>
        <translation>Trennlinie</translation>
    </message>
    <message>
        <source>Underexposed landscape</source>
        <translation>Unterbelichtete Landschaft</translation>
    </message>
    <message>
        <source>Corrected landscape</source>
        <translation>Korrigierte Landschaft</translation>
    </message>
    <message>
        <source>Program version</source>
        <translation>Programmversion</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Bearbeitet</translation>
    </message>
    <message>
        <source>Click to enlarge</source>
        <translation>Zum Vergrößern klicken</translation>
    </message>
    <message>
        <source>Original picture</source>
        <translation>Originalbild</translation>
    </message>
    <message>
        <source>Modified picture</source>
        <translation>Bearbeitetes Bild</translation>
    </message>
    <message>
        <source>Base picture</source>
        <translation>Ausgangsbild</translation>
    </message>
    <message>
        <source>Save buffer</source>
        <translation>Speicherpuffer</translation>
    </message>
    <message>
        <source>Glimra-Contrast</source>
        <translation>Glimra-Kontrast</translation>
    </message>
    <message>
        <source>Exposure adjustment sliding bar</source>
        <translation>Schieberegler für die Belichtung</translation>
    </message>
    <message>
        <source>Dynamic range adjustment mode</source>
        <translation>Modus für den Dynamikumfang</translation>
    </message>
    <message>
        <source>Load Image</source>
        <translation>Bild laden</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Restore back to the original</source>
        <translation>Zurück zum Original</translation>
    </message>
    <message>
        <source>Resize</source>
        <translation>Größe ändern</translation>
    </message>
    <message>
        <source>Change size of the picture</source>
        <translation>Die Größe des Bildes ändern</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Drehen</translation>
    </message>
    <message>
        <source>Rotate at any angle</source>
        <translation>Um einen beliebigen Winkel drehen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Quick Rotate (degrees):</source>
        <translation>Schnell drehen (Grad):</translation>
    </message>
    <message>
        <source>Rotate 90 degrees clockwise</source>
        <translation>Um 90 Grad im Uhrzeigersinn drehen</translation>
    </message>
    <message>
        <source>Rotate 180 degrees clockwise</source>
        <translation>Um 180 Grad im Uhrzeigersinn drehen</translation>
    </message>
    <message>
        <source>Rotate 270 degrees clockwise</source>
        <translation>Um 270 Grad im Uhrzeigersinn drehen</translation>
    </message>
    <message>
        <source>Flip:</source>
        <translation>Spiegeln:</translation>
    </message>
    <message>
        <source>Flip up side down</source>
        <translation>Auf den Kopf stellen</translation>
    </message>
    <message>
        <source>Flip Left to right</source>
        <translation>Links und rechts tauschen</translation>
    </message>
    <message>
        <source>Quick Resize:</source>
        <translation>Schnell skalieren:</translation>
    </message>
    <message>
        <source>Double the size</source>
        <translation>Doppelte Größe</translation>
    </message>
    <message>
        <source>Half the size</source>
        <translation>Halbe Größe</translation>
    </message>
    <message>
        <source>One third the size</source>
        <translation>Ein Drittel der Größe</translation>
    </message>
    <message>
        <source>Quarter the size</source>
        <translation>Ein Viertel der Größe</translation>
    </message>
    <message>
        <source>One fifth the size</source>
        <translation>Ein Fünftel der Größe</translation>
    </message>
    <message>
        <source>Web address</source>
        <translation>Webadresse</translation>
    </message>
    <message>
        <source>Histogram</source>
        <translation>Histogramm</translation>
    </message>
</context>
<context>
    <name>quorvel::app::UsageText</name>
    <message>
        <source>Usage: quorvel [PICTURE]
       quorvel --batch [OPTIONS] FILE...
       quorvel --help | --version

Corrects the exposure of a photograph. Without an option the window opens; the whole argument
text is the path of the picture to open, with or without double quotes around it.

  --help           print this text and exit
  --version        print the name and version and exit
  --batch          correct every FILE as the window would and save the result beside it (or in
                   --output), named after it with &quot;_M&quot; and the extension of its format

Batch options:
  --slider V       the exposure slider&apos;s position, 0 (brightest) .. 40 (darkest); default 20
  --exposure E     the exposure value instead, +2 .. -2 in steps of 0.1 (slider 20 - 10 E)
  --dynamic        dynamic range mode (the &quot;D&quot; button)
  --format F       jpg, bmp, webp, tif, png, wmf, pcx, raw or tga; default: each file&apos;s own
                   format where it is one of these, else jpg
  --bits N         bits per pixel, as the save dialog offers them for the format; default 24
  --quality Q      the quality factor of jpg and webp, 2 (best) .. 10 (smallest); default 2
  --output DIR     the folder for the results (made when missing); default: beside each file
  --jobs N         files corrected at once; default: one per processor core
  --overwrite      replace existing results, which are never replaced otherwise

Exit status: 0 success, 1 some files failed (each is named on standard error with the reason),
2 a wrong option.
</source>
        <translation>Aufruf: quorvel [BILD]
        quorvel --batch [OPTIONEN] DATEI...
        quorvel --help | --version

Korrigiert die Belichtung eines Fotos. Ohne Option öffnet sich das Fenster; der ganze Text der
Argumente ist der Pfad des zu öffnenden Bildes, mit oder ohne doppelte Anführungszeichen.

  --help           diesen Text ausgeben und beenden
  --version        Name und Version ausgeben und beenden
  --batch          jede DATEI wie im Fenster korrigieren und das Ergebnis daneben speichern (oder
                   in --output), benannt nach ihr mit &quot;_M&quot; und der Endung ihres Formats

Optionen für --batch:
  --slider V       Stellung des Belichtungsreglers, 0 (am hellsten) .. 40 (am dunkelsten);
                   Vorgabe 20
  --exposure E     stattdessen der Belichtungswert, +2 .. -2 in Schritten von 0,1 (Regler 20 - 10 E)
  --dynamic        Modus für den Dynamikumfang (die Taste &quot;D&quot;)
  --format F       jpg, bmp, webp, tif, png, wmf, pcx, raw oder tga; Vorgabe: das eigene Format
                   jeder Datei, wo es eines davon ist, sonst jpg
  --bits N         Bits pro Pixel, wie sie der Speichern-Dialog für das Format anbietet; Vorgabe 24
  --quality Q      Qualitätsfaktor von jpg und webp, 2 (am besten) .. 10 (am kleinsten); Vorgabe 2
  --output DIR     Ordner für die Ergebnisse (wird angelegt, wenn er fehlt); Vorgabe: neben jeder
                   Datei
  --jobs N         gleichzeitig korrigierte Dateien; Vorgabe: eine je Prozessorkern
  --overwrite      vorhandene Ergebnisse ersetzen, die sonst nie ersetzt werden

Rückgabewert: 0 Erfolg, 1 einige Dateien sind misslungen (jede wird mit dem Grund auf der
Standardfehlerausgabe genannt), 2 eine falsche Option.
</translation>
    </message>
</context>
<context>
    <name>quorvel::batch</name>
    <message>
        <source>%1 already exists (--overwrite replaces it)</source>
        <translation>%1 ist bereits vorhanden (--overwrite ersetzt die Datei)</translation>
    </message>
    <message>
        <source>%1 bits per pixel are not offered for %2</source>
        <translation>%1 Bits pro Pixel werden für %2 nicht angeboten</translation>
    </message>
    <message>
        <source>--slider and --exposure cannot be given together.</source>
        <translation>--slider und --exposure können nicht zusammen angegeben werden.</translation>
    </message>
    <message>
        <source>--slider takes a whole number from 0 to 40, not &apos;%1&apos;.</source>
        <translation>--slider erwartet eine ganze Zahl von 0 bis 40, nicht &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>--exposure takes a value from +2 to -2 in steps of 0.1, not &apos;%1&apos;.</source>
        <translation>--exposure erwartet einen Wert von +2 bis -2 in Schritten von 0.1, nicht &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>--format takes jpg, bmp, webp, tif, png, wmf, pcx, raw or tga, not &apos;%1&apos;.</source>
        <translation>--format erwartet jpg, bmp, webp, tif, png, wmf, pcx, raw oder tga, nicht &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>--bits %1 is not offered for %2; it offers %3.</source>
        <translation>--bits %1 wird für %2 nicht angeboten; angeboten werden %3.</translation>
    </message>
    <message>
        <source>--quality takes a whole number from 2 to 10, not &apos;%1&apos;.</source>
        <translation>--quality erwartet eine ganze Zahl von 2 bis 10, nicht &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>--output needs a folder.</source>
        <translation>--output braucht einen Ordner.</translation>
    </message>
    <message>
        <source>--jobs takes a whole number from 1 to 1024, not &apos;%1&apos;.</source>
        <translation>--jobs erwartet eine ganze Zahl von 1 bis 1024, nicht &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>--batch needs at least one file.</source>
        <translation>--batch braucht mindestens eine Datei.</translation>
    </message>
    <message>
        <source>  %1 files/s  %2 left</source>
        <translation>  %1 Dateien/s  noch %2</translation>
    </message>
    <message>
        <source>the output folder %1 is a file</source>
        <translation>der Ausgabeordner %1 ist eine Datei</translation>
    </message>
    <message>
        <source>the output folder %1 cannot be made</source>
        <translation>der Ausgabeordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>--bits takes 1, 4, 8, 16, 24, 32, 48 or 64, not &apos;%1&apos;.</source>
        <translation>--bits erwartet 1, 4, 8, 16, 24, 32, 48 oder 64, nicht &apos;%1&apos;.</translation>
    </message>
</context>
<context>
    <name>quorvel::help::SystemInfoLauncher</name>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>Die Systeminformationen sind zurzeit nicht verfügbar</translation>
    </message>
</context>
<context>
    <name>quorvel::help::frmHelp</name>
    <message>
        <source>Glimra-Exposure Slider bar</source>
        <translation>Glimra-Belichtungsregler</translation>
    </message>
    <message>
        <source>You can move the slider up and down to find the best result you desired.</source>
        <translation>Schieben Sie den Regler auf und ab, bis das Ergebnis Ihnen gefällt.</translation>
    </message>
    <message>
        <source>Press the D button down will switch to dynamic range adjustment mode, un-click it will go back to exposure adjustment mode</source>
        <translation>Mit gedrückter D-Taste regelt der Regler den Dynamikumfang, ohne sie die Belichtung</translation>
    </message>
    <message>
        <source>Dynamic range button</source>
        <translation>Taste für den Dynamikumfang</translation>
    </message>
    <message>
        <source>Note:</source>
        <translation>Hinweis:</translation>
    </message>
    <message>
        <source>1. Click the Restore button to reset to the original exposure level.</source>
        <translation>1. „Zurücksetzen“ stellt die ursprüngliche Belichtung wieder her.</translation>
    </message>
    <message>
        <source>2. Click on either one of the image windows will bring up a full screen preview window. Then click on the full screen window to switch between original and modified pictures.</source>
        <translation>2. Ein Klick auf eines der Bilder öffnet eine Vorschau im Vollbild. Ein Klick in die Vorschau wechselt zwischen dem Original und dem bearbeiteten Bild.</translation>
    </message>
    <message>
        <source>2. QFactor in the Save File window is to control how much compression you want when the modified photo is being saved. QFactor is from 2 to 10. 2 is for minimum compression (best quality) and 10 is for maximum compression.</source>
        <translation>2. Der QFactor im Fenster „Datei speichern“ bestimmt, wie stark das bearbeitete Foto beim Speichern komprimiert wird: von 2 bis 10, 2 für die geringste Kompression (beste Qualität), 10 für die stärkste.</translation>
    </message>
    <message>
        <source>Disclaimer: this program is provided as is, without warranty of any kind. Keep copies of your original photographs; the authors accept no liability for any loss or damage arising from its use.</source>
        <translation>Haftungsausschluss: Dieses Programm wird ohne jede Gewährleistung bereitgestellt. Bewahren Sie Kopien Ihrer Originalfotos auf; die Autoren haften nicht für Verluste oder Schäden durch seine Verwendung.</translation>
    </message>
    <message>
        <source>%1 emblem</source>
        <translation>%1-Emblem</translation>
    </message>
    <message>
        <source>Exposure slider, brightness bar and D button</source>
        <translation>Belichtungsregler, Helligkeitsbalken und D-Taste</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>&amp;Systeminfo...</translation>
    </message>
    <message>
        <source>System Info...</source>
        <translation>Systeminfo...</translation>
    </message>
    <message>
        <source>Help/About </source>
        <translation>Hilfe/Info </translation>
    </message>
    <message>
        <source>%1 Version %2.%3.%4</source>
        <translation>%1 Version %2.%3.%4</translation>
    </message>
</context>
<context>
    <name>quorvel::history::UndoCommands</name>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
</context>
<context>
    <name>quorvel::imaging::ErrorCodes</name>
    <message>
        <source>General failure</source>
        <translation>Allgemeiner Fehler</translation>
    </message>
    <message>
        <source>Not enough memory available</source>
        <translation>Nicht genügend Speicher verfügbar</translation>
    </message>
    <message>
        <source>Invalid bitmap handle</source>
        <translation>Ungültiges Bitmap-Handle</translation>
    </message>
    <message>
        <source>Error seeking to position</source>
        <translation>Fehler beim Positionieren in der Datei</translation>
    </message>
    <message>
        <source>Error writing file</source>
        <translation>Fehler beim Schreiben der Datei</translation>
    </message>
    <message>
        <source>File not present - abort</source>
        <translation>Datei nicht vorhanden - Abbruch</translation>
    </message>
    <message>
        <source>Error reading file</source>
        <translation>Fehler beim Lesen der Datei</translation>
    </message>
    <message>
        <source>Invalid filename specified</source>
        <translation>Ungültiger Dateiname angegeben</translation>
    </message>
    <message>
        <source>Invalid file format</source>
        <translation>Ungültiges Dateiformat</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Datei nicht gefunden</translation>
    </message>
    <message>
        <source>Invalid width/height</source>
        <translation>Ungültige Breite/Höhe</translation>
    </message>
    <message>
        <source>Image format recognized, but sub-type not supported</source>
        <translation>Bildformat erkannt, aber Untertyp nicht unterstützt</translation>
    </message>
    <message>
        <source>Invalid parmameter passed</source>
        <translation>Ungültiger Parameter übergeben</translation>
    </message>
    <message>
        <source>Not able to open file</source>
        <translation>Datei kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Unknown compression format</source>
        <translation>Unbekanntes Kompressionsformat</translation>
    </message>
    <message>
        <source>Not available for file format requested</source>
        <translation>Für das angeforderte Dateiformat nicht verfügbar</translation>
    </message>
    <message>
        <source>VGA card only supports 256 colors (8 bit)</source>
        <translation>VGA-Karte unterstützt nur 256 Farben (8 Bit)</translation>
    </message>
    <message>
        <source>Printer error</source>
        <translation>Druckerfehler</translation>
    </message>
    <message>
        <source>Data CRC check error</source>
        <translation>CRC-Prüffehler in den Daten</translation>
    </message>
    <message>
        <source>Invalid QFactor specified</source>
        <translation>Ungültiger QFactor angegeben</translation>
    </message>
    <message>
        <source>TARGA not installed</source>
        <translation>TARGA nicht installiert</translation>
    </message>
    <message>
        <source>Invalid compression format</source>
        <translation>Ungültiges Kompressionsformat</translation>
    </message>
    <message>
        <source>X origin specified invalid</source>
        <translation>Ungültiger X-Ursprung angegeben</translation>
    </message>
    <message>
        <source>Y origin specified invalid</source>
        <translation>Ungültiger Y-Ursprung angegeben</translation>
    </message>
    <message>
        <source>Invalid video mode</source>
        <translation>Ungültiger Videomodus</translation>
    </message>
    <message>
        <source>Invalid bits/pixel</source>
        <translation>Ungültige Bits/Pixel</translation>
    </message>
    <message>
        <source>Invalid window size</source>
        <translation>Ungültige Fenstergröße</translation>
    </message>
    <message>
        <source>Escape key pressed</source>
        <translation>Escape-Taste gedrückt</translation>
    </message>
    <message>
        <source>Internal Error - Call LEAD</source>
        <translation>Interner Fehler - LEAD anrufen</translation>
    </message>
    <message>
        <source>Fixed palette data not found</source>
        <translation>Daten der festen Palette nicht gefunden</translation>
    </message>
    <message>
        <source>Stamp not found</source>
        <translation>Stempel nicht gefunden</translation>
    </message>
    <message>
        <source>Invalid group 3 code</source>
        <translation>Ungültiger Gruppe-3-Code</translation>
    </message>
    <message>
        <source>Group3 code end of file</source>
        <translation>Gruppe-3-Code: Dateiende</translation>
    </message>
    <message>
        <source>Group3 code end of code</source>
        <translation>Gruppe-3-Code: Codeende</translation>
    </message>
    <message>
        <source>Premature EOF at scanline</source>
        <translation>Vorzeitiges Dateiende in der Bildzeile</translation>
    </message>
    <message>
        <source>Premature end-of-line code</source>
        <translation>Vorzeitiger Zeilenende-Code</translation>
    </message>
    <message>
        <source>Bad version number</source>
        <translation>Falsche Versionsnummer</translation>
    </message>
    <message>
        <source>Twain source manager not found</source>
        <translation>TWAIN-Quellenmanager nicht gefunden</translation>
    </message>
    <message>
        <source>Twain failure due to unknown causes</source>
        <translation>TWAIN-Fehler aus unbekannten Gründen</translation>
    </message>
    <message>
        <source>Twain not enough memory to perform operation</source>
        <translation>TWAIN: nicht genügend Speicher für den Vorgang</translation>
    </message>
    <message>
        <source>Twain no Data Source</source>
        <translation>TWAIN: keine Datenquelle</translation>
    </message>
    <message>
        <source>Twain DS is connected to max possible apps</source>
        <translation>TWAIN: Datenquelle ist mit der Höchstzahl an Anwendungen verbunden</translation>
    </message>
    <message>
        <source>Twain DS or DSM reported error, app shouldn&apos;t</source>
        <translation>TWAIN: Datenquelle oder Quellenmanager meldete einen Fehler, die Anwendung sollte das nicht</translation>
    </message>
    <message>
        <source>Twain unknown capability</source>
        <translation>TWAIN: unbekannte Fähigkeit</translation>
    </message>
    <message>
        <source>Twain unrecognized MSG DG DAT combination</source>
        <translation>TWAIN: unbekannte Kombination von MSG, DG und DAT</translation>
    </message>
    <message>
        <source>Twain data parameter out of range</source>
        <translation>TWAIN: Datenparameter außerhalb des Bereichs</translation>
    </message>
    <message>
        <source>Twain DG DAT MSG out of expected sequence</source>
        <translation>TWAIN: DG, DAT und MSG nicht in der erwarteten Reihenfolge</translation>
    </message>
    <message>
        <source>Twain unknown destination App/Src in DSM_Entry</source>
        <translation>TWAIN: unbekanntes Ziel App/Src in DSM_Entry</translation>
    </message>
    <message>
        <source>Twain operation was cancelled</source>
        <translation>TWAIN-Vorgang wurde abgebrochen</translation>
    </message>
</context>
<context>
    <name>quorvel::imaging::HistogramOverlay</name>
    <message>
        <source>Histogram</source>
        <translation>Histogramm</translation>
    </message>
    <message>
        <source>%1 % black, %2 % white</source>
        <translation>%1 % schwarz, %2 % weiß</translation>
    </message>
</context>
<context>
    <name>quorvel::imaging::ResizeDialog</name>
    <message>
        <source>Resize</source>
        <translation>Größe ändern</translation>
    </message>
    <message>
        <source>Width in pixels</source>
        <translation>Breite in Pixeln</translation>
    </message>
    <message>
        <source>Height in pixels</source>
        <translation>Höhe in Pixeln</translation>
    </message>
    <message>
        <source>Width in percent</source>
        <translation>Breite in Prozent</translation>
    </message>
    <message>
        <source>Height in percent</source>
        <translation>Höhe in Prozent</translation>
    </message>
    <message>
        <source>&amp;Keep aspect ratio</source>
        <translation>&amp;Seitenverhältnis beibehalten</translation>
    </message>
    <message>
        <source>Resampling</source>
        <translation>Neuberechnung</translation>
    </message>
    <message>
        <source>High quality (sharp, slower)</source>
        <translation>Hohe Qualität (scharf, langsamer)</translation>
    </message>
    <message>
        <source>Bilinear (smooth, quick)</source>
        <translation>Bilinear (weich, schnell)</translation>
    </message>
    <message>
        <source>Nearest neighbour (blocky, quickest)</source>
        <translation>Nächster Nachbar (kantig, am schnellsten)</translation>
    </message>
    <message>
        <source>&amp;Width:</source>
        <translation>&amp;Breite:</translation>
    </message>
    <message>
        <source>&amp;Height:</source>
        <translation>&amp;Höhe:</translation>
    </message>
    <message>
        <source>&amp;Resampling:</source>
        <translation>&amp;Neuberechnung:</translation>
    </message>
    <message>
        <source>Pixels</source>
        <translation>Pixel</translation>
    </message>
    <message>
        <source>Percent</source>
        <translation>Prozent</translation>
    </message>
    <message>
        <source>Current size: %1 x %2 pixels</source>
        <translation>Aktuelle Größe: %1 x %2 Pixel</translation>
    </message>
</context>
<context>
    <name>quorvel::imaging::RotateDialog</name>
    <message>
        <source>Rotate</source>
        <translation>Drehen</translation>
    </message>
    <message>
        <source>Angle in degrees clockwise</source>
        <translation>Winkel in Grad im Uhrzeigersinn</translation>
    </message>
    <message>
        <source>&amp;Fill colour...</source>
        <translation>&amp;Füllfarbe...</translation>
    </message>
    <message>
        <source>Fill colour</source>
        <translation>Füllfarbe</translation>
    </message>
    <message>
        <source>&amp;Enlarge the canvas to show the whole picture</source>
        <translation>Leinwand &amp;vergrößern, um das ganze Bild zu zeigen</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>&amp;Angle (degrees clockwise):</source>
        <translation>&amp;Winkel (Grad im Uhrzeigersinn):</translation>
    </message>
    <message>
        <source>Uncovered area:</source>
        <translation>Freie Fläche:</translation>
    </message>
    <message>
        <source>Fill Colour</source>
        <translation>Füllfarbe</translation>
    </message>
</context>
<context>
    <name>quorvel::imaging::SaveDialog</name>
    <message>
        <source>1 bit (black and white)</source>
        <translation>1 Bit (schwarzweiß)</translation>
    </message>
    <message>
        <source>4 bits (16 colours)</source>
        <translation>4 Bit (16 Farben)</translation>
    </message>
    <message>
        <source>8 bits (256 colours)</source>
        <translation>8 Bit (256 Farben)</translation>
    </message>
    <message>
        <source>8 bits (grey)</source>
        <translation>8 Bit (Graustufen)</translation>
    </message>
    <message>
        <source>24 bits (true colour)</source>
        <translation>24 Bit (Echtfarben)</translation>
    </message>
    <message>
        <source>32 bits (true colour and transparency)</source>
        <translation>32 Bit (Echtfarben mit Transparenz)</translation>
    </message>
    <message>
        <source>File name</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>B&amp;rowse...</source>
        <translation>&amp;Durchsuchen...</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Durchsuchen</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Bits per pixel</source>
        <translation>Bits pro Pixel</translation>
    </message>
    <message>
        <source>Quality factor</source>
        <translation>Qualitätsfaktor</translation>
    </message>
    <message>
        <source>2: best quality, least compression; 10: smallest file</source>
        <translation>2: beste Qualität, geringste Kompression; 10: kleinste Datei</translation>
    </message>
    <message>
        <source>Add as a new &amp;page to an existing file</source>
        <translation>Als neue &amp;Seite an eine vorhandene Datei anhängen</translation>
    </message>
    <message>
        <source>Add as a new page to an existing file</source>
        <translation>Als neue Seite an eine vorhandene Datei anhängen</translation>
    </message>
    <message>
        <source>File &amp;name:</source>
        <translation>Datei&amp;name:</translation>
    </message>
    <message>
        <source>&amp;Format:</source>
        <translation>&amp;Format:</translation>
    </message>
    <message>
        <source>&amp;Bits per pixel:</source>
        <translation>&amp;Bits pro Pixel:</translation>
    </message>
    <message>
        <source>&amp;Quality factor:</source>
        <translation>&amp;Qualitätsfaktor:</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 ist bereits vorhanden.
Soll die Datei ersetzt werden?</translation>
    </message>
    <message>
        <source>16 bits (grey)</source>
        <translation>16 Bit (Graustufen)</translation>
    </message>
    <message>
        <source>48 bits (16 per channel)</source>
        <translation>48 Bit (16 je Kanal)</translation>
    </message>
    <message>
        <source>64 bits (16 per channel and transparency)</source>
        <translation>64 Bit (16 je Kanal mit Transparenz)</translation>
    </message>
</context>
<context>
    <name>quorvel::preview::Form1</name>
    <message>
        <source>Click mouse left button to switch, right to actual size, middle to close</source>
        <translation>Linke Maustaste wechselt das Bild, rechte zeigt die tatsächliche Größe, mittlere schließt</translation>
    </message>
    <message>
        <source> Beautified, Fit to Screen</source>
        <translation> Verschönert, an Bildschirm angepasst</translation>
    </message>
    <message>
        <source> Beautified, Actual Size</source>
        <translation> Verschönert, tatsächliche Größe</translation>
    </message>
    <message>
        <source> Original, Fit to Screen</source>
        <translation> Original, an Bildschirm angepasst</translation>
    </message>
    <message>
        <source> Original, Actual Size</source>
        <translation> Original, tatsächliche Größe</translation>
    </message>
    <message>
        <source>Preview picture</source>
        <translation>Vorschaubild</translation>
    </message>
    <message>
        <source>Horizontal position</source>
        <translation>Waagrechte Position</translation>
    </message>
    <message>
        <source>Vertical position</source>
        <translation>Senkrechte Position</translation>
    </message>
</context>
<context>
    <name>quorvel::saving::SaveTexts</name>
    <message>
        <source>SaveFile Error</source>
        <translation>Fehler beim Speichern</translation>
    </message>
    <message>
        <source>Save File</source>
        <translation>Datei speichern</translation>
    </message>
    <message>
        <source>All Files|*.*</source>
        <translation>Alle Dateien|*.*</translation>
    </message>
    <message>
        <source>Error &apos;%1, %2&apos; was generated.</source>
        <translation>Fehler &apos;%1, %2&apos; ist aufgetreten.</translation>
    </message>
    <message>
        <source>VB Error: &apos;%1&apos; - %2.</source>
        <translation>VB-Fehler: &apos;%1&apos; - %2.</translation>
    </message>
</context>
</TS>
