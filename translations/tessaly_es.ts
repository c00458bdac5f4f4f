<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
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
        <translation>%1: ninguno todavía</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Contenido</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Atrás</translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation>A&amp;delante</translation>
    </message>
    <message>
        <source>&amp;Using Help</source>
        <translation>&amp;Uso de la ayuda</translation>
    </message>
    <message>
        <source>Help topic</source>
        <translation>Tema de ayuda</translation>
    </message>
    <message>
        <source>%1 Help</source>
        <translation>Ayuda de %1</translation>
    </message>
    <message>
        <source>a topic named &quot;%1&quot;</source>
        <translation>ningún tema llamado «%1»</translation>
    </message>
    <message>
        <source>a topic for context number %1</source>
        <translation>ningún tema con el número de contexto %1</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Help Is Unavailable&lt;/h2&gt;&lt;p&gt;The help file &lt;b&gt;%1&lt;/b&gt; cannot be opened. It may be missing, empty, or not readable with your permissions.&lt;/p&gt;&lt;p&gt;Reinstalling the program puts the help file back in place.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;La ayuda no está disponible&lt;/h2&gt;&lt;p&gt;No se puede abrir el archivo de ayuda &lt;b&gt;%1&lt;/b&gt;. Puede que falte, que esté vacío o que tus permisos no permitan leerlo.&lt;/p&gt;&lt;p&gt;Si vuelves a instalar el programa, el archivo de ayuda vuelve a su sitio.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Topic Not Found&lt;/h2&gt;&lt;p&gt;The help file &lt;b&gt;%1&lt;/b&gt; has no %2.&lt;/p&gt;&lt;p&gt;Press &lt;b&gt;Contents&lt;/b&gt; to see the topics it offers.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Tema no encontrado&lt;/h2&gt;&lt;p&gt;El archivo de ayuda &lt;b&gt;%1&lt;/b&gt; no contiene %2.&lt;/p&gt;&lt;p&gt;Pulsa &lt;b&gt;Contenido&lt;/b&gt; para ver los temas que ofrece.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Topic Cannot Be Shown&lt;/h2&gt;&lt;p&gt;The topic &lt;b&gt;%1&lt;/b&gt; of the help file &lt;b&gt;%2&lt;/b&gt; is too large or too deeply nested to be shown.&lt;/p&gt;&lt;p&gt;Press &lt;b&gt;Contents&lt;/b&gt; to see the topics it offers.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;No se puede mostrar el tema&lt;/h2&gt;&lt;p&gt;El tema &lt;b&gt;%1&lt;/b&gt; del archivo de ayuda &lt;b&gt;%2&lt;/b&gt; es demasiado grande o está demasiado anidado para mostrarlo.&lt;/p&gt;&lt;p&gt;Pulsa &lt;b&gt;Contenido&lt;/b&gt; para ver los temas que ofrece.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Using Help&lt;/h2&gt;&lt;p&gt;This window shows the help for a program, one topic at a time. The program goes on running while it is open, so you can read and play side by side.&lt;/p&gt;&lt;ul&gt;&lt;li&gt;Click an underlined link to go to the topic it names.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Contents&lt;/b&gt; (Alt+C) shows the list of all topics.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Back&lt;/b&gt; (Alt+B) returns to the topic you saw before; &lt;b&gt;Forward&lt;/b&gt; (Alt+F) goes on again after Back.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Using Help&lt;/b&gt; (Alt+U) shows this page.&lt;/li&gt;&lt;li&gt;Scroll with the mouse wheel, the arrow keys, Page Up and Page Down. Select text with the mouse and press Ctrl+C to copy it.&lt;/li&gt;&lt;li&gt;Close the window with its close button. It also closes by itself when the program ends.&lt;/li&gt;&lt;/ul&gt;</source>
        <translation>&lt;h2&gt;Uso de la ayuda&lt;/h2&gt;&lt;p&gt;Esta ventana muestra la ayuda de un programa, un tema cada vez. El programa sigue funcionando mientras está abierta, así que puedes leer y jugar a la vez.&lt;/p&gt;&lt;ul&gt;&lt;li&gt;Haz clic en un enlace subrayado para ir al tema que nombra.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Contenido&lt;/b&gt; (Alt+C) muestra la lista de todos los temas.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Atrás&lt;/b&gt; (Alt+A) vuelve al tema que viste antes; &lt;b&gt;Adelante&lt;/b&gt; (Alt+D) avanza de nuevo después de Atrás.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Uso de la ayuda&lt;/b&gt; (Alt+U) muestra esta página.&lt;/li&gt;&lt;li&gt;Desplázate con la rueda del ratón, las flechas, Re Pág y Av Pág. Selecciona texto con el ratón y pulsa Ctrl+C para copiarlo.&lt;/li&gt;&lt;li&gt;Cierra la ventana con su botón de cerrar. También se cierra sola cuando termina el programa.&lt;/li&gt;&lt;/ul&gt;</translation>
    </message>
</context>
<context>
    <name>ScoreTable</name>
    <message>
        <source>Anonymous</source>
        <translation>Anónimo</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>Separator</source>
        <translation>Separador</translation>
    </message>
    <message>
        <source>Application icon</source>
        <translation>Icono de la aplicación</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Título</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versión</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Descripción</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>Info. &amp;sistema...</translation>
    </message>
    <message>
        <source>System Info</source>
        <translation>Info. sistema</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Acerca de %1</translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Versión %1.%2.%3</translation>
    </message>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>La información del sistema no está disponible en este momento</translation>
    </message>
    <message>
        <source>A memory game of lights and tones.</source>
        <translation>Un juego de memoria de luces y sonidos.</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>Red light</source>
        <translation>Luz roja</translation>
    </message>
    <message>
        <source>Yellow light</source>
        <translation>Luz amarilla</translation>
    </message>
    <message>
        <source>Blue light</source>
        <translation>Luz azul</translation>
    </message>
    <message>
        <source>Green light</source>
        <translation>Luz verde</translation>
    </message>
    <message>
        <source>New Game</source>
        <translation>Nueva partida</translation>
    </message>
    <message>
        <source>Game Over</source>
        <translation>Terminado</translation>
    </message>
    <message>
        <source>Level:</source>
        <translation>Nivel:</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Nivel</translation>
    </message>
    <message>
        <source>&amp;Game</source>
        <translation>&amp;Juego</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Ayuda</translation>
    </message>
    <message>
        <source>&amp;New Game</source>
        <translation>&amp;Nueva partida</translation>
    </message>
    <message>
        <source>&amp;Adjust Speed...</source>
        <translation>Ajustar &amp;velocidad...</translation>
    </message>
    <message>
        <source>&amp;High Scores...</source>
        <translation>&amp;Récords...</translation>
    </message>
    <message>
        <source>E&amp;xit Tessaly</source>
        <translation>&amp;Salir de Tessaly</translation>
    </message>
    <message>
        <source>&amp;Contents...</source>
        <translation>&amp;Contenido...</translation>
    </message>
    <message>
        <source>&amp;Brindlecove Games Web Site...</source>
        <translation>Sitio &amp;web de Brindlecove Games...</translation>
    </message>
    <message>
        <source>&amp;About Tessaly</source>
        <translation>&amp;Acerca de Tessaly</translation>
    </message>
    <message>
        <source>Lit</source>
        <translation>Encendida</translation>
    </message>
</context>
<context>
    <name>frmNewHighScore</name>
    <message>
        <source>You have acheived a new High Score!!!</source>
        <translation>¡¡¡Has conseguido un nuevo récord!!!</translation>
    </message>
    <message>
        <source>Enter in your name for the record books</source>
        <translation>Escribe tu nombre para la tabla de récords</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>New High Score</source>
        <translation>Nuevo récord</translation>
    </message>
</context>
<context>
    <name>frmScores</name>
    <message>
        <source>High Scores</source>
        <translation>Récords</translation>
    </message>
    <message>
        <source>&amp;Return to Tessaly</source>
        <translation>&amp;Volver a Tessaly</translation>
    </message>
    <message>
        <source>Return to Tessaly</source>
        <translation>Volver a Tessaly</translation>
    </message>
    <message>
        <source>Clear High Scores</source>
        <translation>Borrar récords</translation>
    </message>
    <message>
        <source>Are you sure you want to clear all of the scores?</source>
        <translation>¿Seguro que quieres borrar todas las puntuaciones?</translation>
    </message>
    <message>
        <source>Clear High Scores?</source>
        <translation>¿Borrar récords?</translation>
    </message>
</context>
<context>
    <name>frmSpeed</name>
    <message>
        <source>Select the speed in which the lights will flash.</source>
        <translation>Elige la velocidad a la que parpadean las luces.</translation>
    </message>
    <message>
        <source>&amp;Slow</source>
        <translation>&amp;Lenta</translation>
    </message>
    <message>
        <source>&amp;Normal</source>
        <translation>&amp;Normal</translation>
    </message>
    <message>
        <source>&amp;Fast</source>
        <translation>&amp;Rápida</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Lenta</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Rápida</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Velocidad</translation>
    </message>
</context>
</TS>
