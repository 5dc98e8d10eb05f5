/* Section layout of the shipped executable.

   Every section costs a header entry and at least 512 bytes of file, so
   autolaunch keeps to four: .text holds the code, the constants, the list of
   static constructors and the import tables (read and execute; the Windows
   loader makes the import address table writable while it fills it in),
   .data the variables, .rsrc the resources and .reloc the relocations that
   let Windows load the program at a random address. */

SECTIONS
{
  . = SIZEOF_HEADERS;
  . = ALIGN(__section_alignment__);
  .text __image_base__ + __section_alignment__ :
  {
    *(.text) *(SORT(.text$*)) *(.text.*)
    *(.rdata) *(SORT(.rdata$*)) *(.rodata) *(.rodata.*)
    . = ALIGN(8);
    __autolaunch_constructors_start = .;
    KEEP(*(.ctors)) KEEP(*(SORT_BY_NAME(.ctors.*)))
    __autolaunch_constructors_end = .;
    . = ALIGN(4);
    /* Import descriptors, the end of their list, then the lookup tables,
       the address table and the names. The linker finds the import
       directories by the symbols named after these parts. */
    ".idata$2" = ABSOLUTE(. - __image_base__);
    KEEP(SORT(*)(.idata$2))
    KEEP(SORT(*)(.idata$3))
    LONG(0); LONG(0); LONG(0); LONG(0); LONG(0);
    . = ALIGN(8);
    ".idata$4" = ABSOLUTE(. - __image_base__);
    KEEP(SORT(*)(.idata$4))
    ".idata$5" = ABSOLUTE(. - __image_base__);
    __IAT_start__ = .;
    KEEP(SORT(*)(.idata$5))
    __IAT_end__ = .;
    ".idata$6" = ABSOLUTE(. - __image_base__);
    KEEP(SORT(*)(.idata$6))
    KEEP(SORT(*)(.idata$7))
  }
  .data BLOCK(__section_alignment__) :
  {
    *(.data) *(.data.*) *(SORT(.data$*))
    *(.bss) *(.bss.*) *(COMMON)
  }
  .rsrc BLOCK(__section_alignment__) : SUBALIGN(4)
  {
    KEEP(*(.rsrc)) KEEP(*(.rsrc$*))
  }
  .reloc BLOCK(__section_alignment__) :
  {
    *(.reloc)
  }
  /DISCARD/ :
  {
    *(.debug*) *(.zdebug*) *(.comment) *(.note*) *(.drectve) *(.gnu.lto_*)
    *(.eh_frame*) *(.pdata*) *(.xdata*) *(.dtors) *(.dtors.*)
  }
}
