; A DOS .COM program that stands in for Drovex and the game: it writes its command tail
; (the text after its name, leading blank included) into ARGS.TXT in its current folder.
        org 0x100
        mov ah, 0x3C          ; create file
        xor cx, cx
        mov dx, name
        int 0x21
        jc fail
        mov bx, ax
        mov ah, 0x40          ; write
        xor cx, cx
        mov cl, [0x80]        ; length of the tail
        mov dx, 0x81
        int 0x21
        mov ah, 0x3E          ; close
        int 0x21
        mov ax, 0x4C00
        int 0x21
fail:   mov ax, 0x4C01
        int 0x21
name:   db "ARGS.TXT", 0
