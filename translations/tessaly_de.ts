<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>DisplayCounterAccessible</name>
    <message>
        <source>%1 %2</source>
        <comment>the counter&apos;s name and the number it shows, as in &quot;Level 3&quot;</comment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>%1: none yet</source>
        <comment>the counter&apos;s name before it has shown a number: &quot;Level: none yet&quot;</comment>
        <translation>%1: noch keine</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation>&amp;Vorwärts</translation>
    </message>
    <message>
        <source>&amp;Using Help</source>
        <translation>&amp;Hilfe benutzen</translation>
    </message>
    <message>
        <source>Help topic</source>
        <translation>Hilfethema</translation>
    </message>
    <message>
        <source>%1 Help</source>
        <translation>%1-Hilfe</translation>
    </message>
    <message>
        <source>a topic named &quot;%1&quot;</source>
        <translation>kein Thema namens „%1“</translation>
    </message>
    <message>
        <source>a topic for context number %1</source>
        <translation>kein Thema zur Kontextnummer %1</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Help Is Unavailable&lt;/h2&gt;&lt;p&gt;The help file &lt;b&gt;%1&lt;/b&gt; cannot be opened. It may be missing, empty, or not readable with your permissions.&lt;/p&gt;&lt;p&gt;Reinstalling the program puts the help file back in place.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Hilfe nicht verfügbar&lt;/h2&gt;&lt;p&gt;Die Hilfedatei &lt;b&gt;%1&lt;/b&gt; lässt sich nicht öffnen. Vielleicht fehlt sie, ist leer oder für Sie nicht lesbar.&lt;/p&gt;&lt;p&gt;Wenn Sie das Programm neu installieren, ist die Hilfedatei wieder an ihrem Platz.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Topic Not Found&lt;/h2&gt;&lt;p&gt;The help file &lt;b&gt;%1&lt;/b&gt; has no %2.&lt;/p&gt;&lt;p&gt;Press &lt;b&gt;Contents&lt;/b&gt; to see the topics it offers.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Thema nicht gefunden&lt;/h2&gt;&lt;p&gt;Die Hilfedatei &lt;b&gt;%1&lt;/b&gt; enthält %2.&lt;/p&gt;&lt;p&gt;Klicken Sie auf &lt;b&gt;Inhalt&lt;/b&gt;, um die Themen zu sehen, die sie bietet.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Topic Cannot Be Shown&lt;/h2&gt;&lt;p&gt;The topic &lt;b&gt;%1&lt;/b&gt; of the help file &lt;b&gt;%2&lt;/b&gt; is too large or too deeply nested to be shown.&lt;/p&gt;&lt;p&gt;Press &lt;b&gt;Contents&lt;/b&gt; to see the topics it offers.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Thema kann nicht angezeigt werden&lt;/h2&gt;&lt;p&gt;Das Thema &lt;b&gt;%1&lt;/b&gt; der Hilfedatei &lt;b&gt;%2&lt;/b&gt; ist zu groß oder zu tief verschachtelt, um es anzuzeigen.&lt;/p&gt;&lt;p&gt;Klicken Sie auf &lt;b&gt;Inhalt&lt;/b&gt;, um die Themen zu sehen, die sie bietet.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Using Help&lt;/h2&gt;&lt;p&gt;This window shows the help for a program, one topic at a time. The program goes on running while it is open, so you can read and play side by side.&lt;/p&gt;&lt;ul&gt;&lt;li&gt;Click an underlined link to go to the topic it names.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Contents&lt;/b&gt; (Alt+C) shows the list of all topics.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Back&lt;/b&gt; (Alt+B) returns to the topic you saw before; &lt;b&gt;Forward&lt;/b&gt; (Alt+F) goes on again after Back.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Using Help&lt;/b&gt; (Alt+U) shows this page.&lt;/li&gt;&lt;li&gt;Scroll with the mouse wheel, the arrow keys, Page Up and Page Down. Select text with the mouse and press Ctrl+C to copy it.&lt;/li&gt;&lt;li&gt;Close the window with its close button. It also closes by itself when the program ends.&lt;/li&gt;&lt;/ul&gt;</source>
        <translation>&lt;h2&gt;Hilfe benutzen&lt;/h2&gt;&lt;p&gt;Dieses Fenster zeigt die Hilfe eines Programms, ein Thema nach dem anderen. Das Programm läuft weiter, solange es offen ist, so dass Sie lesen und spielen können.&lt;/p&gt;&lt;ul&gt;&lt;li&gt;Klicken Sie auf einen unterstrichenen Verweis, um zu dem Thema zu gehen, das er nennt.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Inhalt&lt;/b&gt; (Alt+I) zeigt die Liste aller Themen.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Zurück&lt;/b&gt; (Alt+Z) kehrt zum zuvor gezeigten Thema zurück; &lt;b&gt;Vorwärts&lt;/b&gt; (Alt+V) geht nach Zurück wieder weiter.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Hilfe benutzen&lt;/b&gt; (Alt+H) zeigt diese Seite.&lt;/li&gt;&lt;li&gt;Blättern Sie mit dem Mausrad, den Pfeiltasten, Bild auf und Bild ab. Markieren Sie Text mit der Maus und drücken Sie Strg+C, um ihn zu kopieren.&lt;/li&gt;&lt;li&gt;Schließen Sie das Fenster mit seiner Schließen-Schaltfläche. Es schließt sich auch von selbst, wenn das Programm endet.&lt;/li&gt;&lt;/ul&gt;</translation>
    </message>
</context>
<context>
    <name>ScoreTable</name>
    <message>
        <source>Anonymous</source>
        <translation>Anonym</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>Separator</source>
        <translation>Trennlinie</translation>
    </message>
    <message>
        <source>Application icon</source>
        <translation>Programmsymbol</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
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
        <source>System Info</source>
        <translation>Systeminfo</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>Systeminformationen sind zurzeit nicht verfügbar</translation>
    </message>
    <message>
        <source>A memory game of lights and tones.</source>
        <translation>Ein Gedächtnisspiel aus Lichtern und Tönen.</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>Red light</source>
        <translation>Rotes Licht</translation>
    </message>
    <message>
        <source>Yellow light</source>
        <translation>Gelbes Licht</translation>
    </message>
    <message>
        <source>Blue light</source>
        <translation>Blaues Licht</translation>
    </message>
    <message>
        <source>Green light</source>
        <translation>Grünes Licht</translation>
    </message>
    <message>
        <source>New Game</source>
        <translation>Neues Spiel</translation>
    </message>
    <message>
        <source>Game Over</source>
        <translation>Spielende</translation>
    </message>
    <message>
        <source>Level:</source>
        <translation>Stufe:</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Stufe</translation>
    </message>
    <message>
        <source>&amp;Game</source>
        <translation>&amp;Spiel</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;New Game</source>
        <translation>&amp;Neues Spiel</translation>
    </message>
    <message>
        <source>&amp;Adjust Speed...</source>
        <translation>&amp;Tempo einstellen...</translation>
    </message>
    <message>
        <source>&amp;High Scores...</source>
        <translation>&amp;Bestenliste...</translation>
    </message>
    <message>
        <source>E&amp;xit Tessaly</source>
        <translation>Tessaly b&amp;eenden</translation>
    </message>
    <message>
        <source>&amp;Contents...</source>
        <translation>&amp;Inhalt...</translation>
    </message>
    <message>
        <source>&amp;Brindlecove Games Web Site...</source>
        <translation>&amp;Website von Brindlecove Games...</translation>
    </message>
    <message>
        <source>&amp;About Tessaly</source>
        <translation>Ü&amp;ber Tessaly</translation>
    </message>
    <message>
        <source>Lit</source>
        <translation>Leuchtet</translation>
    </message>
</context>
<context>
    <name>frmNewHighScore</name>
    <message>
        <source>You have acheived a new High Score!!!</source>
        <translation>Sie haben einen neuen Rekord erzielt!!!</translation>
    </message>
    <message>
        <source>Enter in your name for the record books</source>
        <translation>Tragen Sie sich in die Bestenliste ein</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>New High Score</source>
        <translation>Neuer Rekord</translation>
    </message>
</context>
<context>
    <name>frmScores</name>
    <message>
        <source>High Scores</source>
        <translation>Bestenliste</translation>
    </message>
    <message>
        <source>&amp;Return to Tessaly</source>
        <translation>&amp;Zurück zu Tessaly</translation>
    </message>
    <message>
        <source>Return to Tessaly</source>
        <translation>Zurück zu Tessaly</translation>
    </message>
    <message>
        <source>Clear High Scores</source>
        <translation>Bestenliste löschen</translation>
    </message>
    <message>
        <source>Are you sure you want to clear all of the scores?</source>
        <translation>Möchten Sie wirklich alle Punktestände löschen?</translation>
    </message>
    <message>
        <source>Clear High Scores?</source>
        <translation>Bestenliste löschen?</translation>
    </message>
</context>
<context>
    <name>frmSpeed</name>
    <message>
        <source>Select the speed in which the lights will flash.</source>
        <translation>Wählen Sie, wie schnell die Lichter aufleuchten.</translation>
    </message>
    <message>
        <source>&amp;Slow</source>
        <translation>&amp;Langsam</translation>
    </message>
    <message>
        <source>&amp;Normal</source>
        <translation>&amp;Normal</translation>
    </message>
    <message>
        <source>&amp;Fast</source>
        <translation>&amp;Schnell</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Langsam</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Schnell</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Tempo</translation>
    </message>
</context>
</TS>
