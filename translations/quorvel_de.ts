<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
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
        <source>Jpeg (*.jpg;*jpeg)|*.jpg;*jpeg|Bitmap (*.bmp)|*.bmp|Gif (*.gif)|*.gif|Png (*.png)|*.png|All formats (*.img;*.gif;*.jpg;*.jpeg;*.png;*.psd;*.raw;*.jff;*.jtf;*.pct;*.pcx;*.eps;*.tga;*.tif;*.bmp;*.fxs;*.fpx;*.awd;*.ico;*.cur)|*.img;*.gif;*.jpg;*.jpeg;*.png;*.psd;*.raw;*.jff;*.jtf;*.pct;*.pcx;*.eps;*.tga;*.tif;*.bmp;*.fxs;*.fpx;*.awd;*.ico;*.cur|All (*.*)|*.*</source>
        <translation>Jpeg (*.jpg;*jpeg)|*.jpg;*jpeg|Bitmap (*.bmp)|*.bmp|Gif (*.gif)|*.gif|Png (*.png)|*.png|Alle Formate (*.img;*.gif;*.jpg;*.jpeg;*.png;*.psd;*.raw;*.jff;*.jtf;*.pct;*.pcx;*.eps;*.tga;*.tif;*.bmp;*.fxs;*.fpx;*.awd;*.ico;*.cur)|*.img;*.gif;*.jpg;*.jpeg;*.png;*.psd;*.raw;*.jff;*.jtf;*.pct;*.pcx;*.eps;*.tga;*.tif;*.bmp;*.fxs;*.fpx;*.awd;*.ico;*.cur|Alle (*.*)|*.*</translation>
    </message>
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
</context>
</TS>
