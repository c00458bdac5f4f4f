<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
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
        <translation>%1&#xa0;: aucun pour l’instant</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Sommaire</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Précédent</translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation>Sui&amp;vant</translation>
    </message>
    <message>
        <source>&amp;Using Help</source>
        <translation>&amp;Utiliser l&apos;aide</translation>
    </message>
    <message>
        <source>Help topic</source>
        <translation>Rubrique d&apos;aide</translation>
    </message>
    <message>
        <source>%1 Help</source>
        <translation>Aide de %1</translation>
    </message>
    <message>
        <source>a topic named &quot;%1&quot;</source>
        <translation>aucune rubrique nommée «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>a topic for context number %1</source>
        <translation>aucune rubrique pour le numéro de contexte %1</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Help Is Unavailable&lt;/h2&gt;&lt;p&gt;The help file &lt;b&gt;%1&lt;/b&gt; cannot be opened. It may be missing, empty, or not readable with your permissions.&lt;/p&gt;&lt;p&gt;Reinstalling the program puts the help file back in place.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Aide non disponible&lt;/h2&gt;&lt;p&gt;Impossible d&apos;ouvrir le fichier d&apos;aide &lt;b&gt;%1&lt;/b&gt;. Il est peut-être absent, vide ou illisible avec vos droits.&lt;/p&gt;&lt;p&gt;Réinstaller le programme remet le fichier d&apos;aide en place.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Topic Not Found&lt;/h2&gt;&lt;p&gt;The help file &lt;b&gt;%1&lt;/b&gt; has no %2.&lt;/p&gt;&lt;p&gt;Press &lt;b&gt;Contents&lt;/b&gt; to see the topics it offers.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Rubrique introuvable&lt;/h2&gt;&lt;p&gt;Le fichier d&apos;aide &lt;b&gt;%1&lt;/b&gt; ne contient %2.&lt;/p&gt;&lt;p&gt;Cliquez sur &lt;b&gt;Sommaire&lt;/b&gt; pour voir les rubriques qu&apos;il propose.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Topic Cannot Be Shown&lt;/h2&gt;&lt;p&gt;The topic &lt;b&gt;%1&lt;/b&gt; of the help file &lt;b&gt;%2&lt;/b&gt; is too large or too deeply nested to be shown.&lt;/p&gt;&lt;p&gt;Press &lt;b&gt;Contents&lt;/b&gt; to see the topics it offers.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Impossible d&apos;afficher la rubrique&lt;/h2&gt;&lt;p&gt;La rubrique &lt;b&gt;%1&lt;/b&gt; du fichier d&apos;aide &lt;b&gt;%2&lt;/b&gt; est trop longue ou trop imbriquée pour être affichée.&lt;/p&gt;&lt;p&gt;Cliquez sur &lt;b&gt;Sommaire&lt;/b&gt; pour voir les rubriques qu&apos;il propose.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Using Help&lt;/h2&gt;&lt;p&gt;This window shows the help for a program, one topic at a time. The program goes on running while it is open, so you can read and play side by side.&lt;/p&gt;&lt;ul&gt;&lt;li&gt;Click an underlined link to go to the topic it names.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Contents&lt;/b&gt; (Alt+C) shows the list of all topics.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Back&lt;/b&gt; (Alt+B) returns to the topic you saw before; &lt;b&gt;Forward&lt;/b&gt; (Alt+F) goes on again after Back.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Using Help&lt;/b&gt; (Alt+U) shows this page.&lt;/li&gt;&lt;li&gt;Scroll with the mouse wheel, the arrow keys, Page Up and Page Down. Select text with the mouse and press Ctrl+C to copy it.&lt;/li&gt;&lt;li&gt;Close the window with its close button. It also closes by itself when the program ends.&lt;/li&gt;&lt;/ul&gt;</source>
        <translation>&lt;h2&gt;Utiliser l&apos;aide&lt;/h2&gt;&lt;p&gt;Cette fenêtre affiche l&apos;aide d&apos;un programme, une rubrique à la fois. Le programme continue de tourner tant qu&apos;elle est ouverte&#xa0;: vous pouvez lire et jouer en même temps.&lt;/p&gt;&lt;ul&gt;&lt;li&gt;Cliquez sur un lien souligné pour aller à la rubrique qu&apos;il nomme.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Sommaire&lt;/b&gt; (Alt+S) affiche la liste de toutes les rubriques.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Précédent&lt;/b&gt; (Alt+P) revient à la rubrique vue juste avant&#xa0;; &lt;b&gt;Suivant&lt;/b&gt; (Alt+V) repart en avant après Précédent.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Utiliser l&apos;aide&lt;/b&gt; (Alt+U) affiche cette page.&lt;/li&gt;&lt;li&gt;Faites défiler avec la molette de la souris, les flèches, Page préc. et Page suiv. Sélectionnez du texte avec la souris et appuyez sur Ctrl+C pour le copier.&lt;/li&gt;&lt;li&gt;Fermez la fenêtre avec son bouton de fermeture. Elle se ferme aussi d&apos;elle-même quand le programme se termine.&lt;/li&gt;&lt;/ul&gt;</translation>
    </message>
</context>
<context>
    <name>ScoreTable</name>
    <message>
        <source>Anonymous</source>
        <translation>Anonyme</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>Separator</source>
        <translation>Séparateur</translation>
    </message>
    <message>
        <source>Application icon</source>
        <translation>Icône de l&apos;application</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titre</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>Info &amp;système...</translation>
    </message>
    <message>
        <source>System Info</source>
        <translation>Info système</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>À propos de %1</translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>Les informations système ne sont pas disponibles pour le moment</translation>
    </message>
    <message>
        <source>A memory game of lights and tones.</source>
        <translation>Un jeu de mémoire en lumières et en sons.</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>Red light</source>
        <translation>Lumière rouge</translation>
    </message>
    <message>
        <source>Yellow light</source>
        <translation>Lumière jaune</translation>
    </message>
    <message>
        <source>Blue light</source>
        <translation>Lumière bleue</translation>
    </message>
    <message>
        <source>Green light</source>
        <translation>Lumière verte</translation>
    </message>
    <message>
        <source>New Game</source>
        <translation>Nouvelle partie</translation>
    </message>
    <message>
        <source>Game Over</source>
        <translation>Partie finie</translation>
    </message>
    <message>
        <source>Level:</source>
        <translation>Niveau&#xa0;:</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Niveau</translation>
    </message>
    <message>
        <source>&amp;Game</source>
        <translation>&amp;Partie</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;New Game</source>
        <translation>&amp;Nouvelle partie</translation>
    </message>
    <message>
        <source>&amp;Adjust Speed...</source>
        <translation>Régler la &amp;vitesse...</translation>
    </message>
    <message>
        <source>&amp;High Scores...</source>
        <translation>&amp;Meilleurs scores...</translation>
    </message>
    <message>
        <source>E&amp;xit Tessaly</source>
        <translation>&amp;Quitter Tessaly</translation>
    </message>
    <message>
        <source>&amp;Contents...</source>
        <translation>&amp;Sommaire...</translation>
    </message>
    <message>
        <source>&amp;Brindlecove Games Web Site...</source>
        <translation>Site &amp;Web de Brindlecove Games...</translation>
    </message>
    <message>
        <source>&amp;About Tessaly</source>
        <translation>À &amp;propos de Tessaly</translation>
    </message>
    <message>
        <source>Lit</source>
        <translation>Allumée</translation>
    </message>
</context>
<context>
    <name>frmNewHighScore</name>
    <message>
        <source>You have acheived a new High Score!!!</source>
        <translation>Vous avez établi un nouveau record&#xa0;!!!</translation>
    </message>
    <message>
        <source>Enter in your name for the record books</source>
        <translation>Inscrivez votre nom au tableau d&apos;honneur</translation>
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
        <translation>Nouveau record</translation>
    </message>
</context>
<context>
    <name>frmScores</name>
    <message>
        <source>High Scores</source>
        <translation>Meilleurs scores</translation>
    </message>
    <message>
        <source>&amp;Return to Tessaly</source>
        <translation>&amp;Retour à Tessaly</translation>
    </message>
    <message>
        <source>Return to Tessaly</source>
        <translation>Retour à Tessaly</translation>
    </message>
    <message>
        <source>Clear High Scores</source>
        <translation>Effacer les scores</translation>
    </message>
    <message>
        <source>Are you sure you want to clear all of the scores?</source>
        <translation>Voulez-vous vraiment effacer tous les scores&#xa0;?</translation>
    </message>
    <message>
        <source>Clear High Scores?</source>
        <translation>Effacer les scores&#xa0;?</translation>
    </message>
</context>
<context>
    <name>frmSpeed</name>
    <message>
        <source>Select the speed in which the lights will flash.</source>
        <translation>Choisissez la vitesse à laquelle les lumières clignotent.</translation>
    </message>
    <message>
        <source>&amp;Slow</source>
        <translation>&amp;Lente</translation>
    </message>
    <message>
        <source>&amp;Normal</source>
        <translation>&amp;Normale</translation>
    </message>
    <message>
        <source>&amp;Fast</source>
        <translation>&amp;Rapide</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Lente</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normale</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Rapide</translation>
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
        <translation>Vitesse</translation>
    </message>
</context>
</TS>
